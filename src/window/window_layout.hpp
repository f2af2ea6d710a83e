#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <optional>
#include <span>
#include <type_traits>

// The window and its dialogs as each view draws them, declared once in one shape: every
// control with its kind, caption (UTF-8), place and size in twips (1,440 to the inch) and
// what it is to the rules; a list with its columns.
namespace garagon {

enum class ControlKind { Button, Option, Frame, Label, List, Selector, TextField };

// What the rules take a control for beyond its kind: the buttons that the dialog keys
// press, the text field they read, the line that tells how the list stands.
enum class Role { Plain, Accept, Reject, TextField, Status };

enum class Alignment { Left, Right };

// A list's column; one not visible has the width 0 and says nothing to a screen reader.
struct ColumnLayout {
    const char* header;
    int width;
    Alignment alignment;
    bool visible;
};

struct Place {
    int left, top, width, height;
};

// Where no frame holds a control: it stands in the window itself.
inline constexpr int inWindow = -1;

// A control's id is its index in its window's table: tab order, which the Tab key follows
// over the controls that take the focus.
struct DeclaredControl {
    int id;
    const char* name;
    ControlKind kind;
    const char* caption;
    Place place; // within its frame
    int frame = inWindow;
    Role role = Role::Plain;
    bool bold = false;
    // Windows draws a line around the window's list, and none around a dialog's.
    bool bordered = false;
    std::span<const ColumnLayout> columns = {};
};

// A window or a dialog: its name, its client area in twips, and its controls. Win32 places
// each control where it is declared; Qt stacks a dialog's controls in boxes in the same
// order, which gives its own platform's spacing, and places only the window's.
struct WindowLayout {
    const char* name;
    int width, height;
    std::span<const DeclaredControl> controls;

    constexpr const DeclaredControl& operator[](int id) const {
        return controls[static_cast<std::size_t>(id)];
    }
    // The first control of a role or a kind, if the window has one.
    template <class Trait> constexpr std::optional<int> find(Trait trait) const {
        const auto found = std::ranges::find_if(controls, [trait](const DeclaredControl& control) {
            if constexpr (std::is_same_v<Trait, Role>) {
                return control.role == trait;
            } else {
                return control.kind == trait;
            }
        });
        return found == controls.end() ? std::nullopt : std::optional(found->id);
    }
};

// Whether the Tab key stops at a control of this kind.
constexpr bool takesFocus(ControlKind kind) {
    return kind != ControlKind::Frame && kind != ControlKind::Label;
}

// Each id is the control's index; each frame named is a frame; a list alone has columns.
constexpr bool wellFormed(const WindowLayout& layout) {
    for (std::size_t index = 0; index < layout.controls.size(); ++index) {
        const DeclaredControl& control = layout.controls[index];
        const bool inFrame = control.frame != inWindow;
        if (control.id != static_cast<int>(index) ||
            (inFrame && (control.frame < 0 || control.frame >= std::ssize(layout.controls) ||
                         layout[control.frame].kind != ControlKind::Frame)) ||
            (control.kind == ControlKind::List) == control.columns.empty()) {
            return false;
        }
    }
    return true;
}

// A list dialog has its list and its accepting and rejecting buttons.
constexpr bool isListDialog(const WindowLayout& layout) {
    return layout.find(ControlKind::List) && layout.find(Role::Accept) && layout.find(Role::Reject);
}

// The font of every control, the window's and the dialogs'.
inline constexpr const char* fontFamily = "Arial";
inline constexpr int fontHundredthsOfPoint = 975;

// The controls of the window, by their ids.
enum class Control {
    cmdOpen,
    lvCars,
    cmbCars,
    cmdReplace,
    cmdSave,
    cmdExit,
    Frame1,
    Frame2,
    Label1,
    optBuyed,
    optMY,
    optShop,
    Count
};

constexpr int id(Control control) {
    return static_cast<int>(control);
}

namespace layouts {

// The selector's list, dropped below the closed control.
inline constexpr int droppedListHeight = 3600;

// Only the car's name is shown; slot, position and context are there at width 0.
inline constexpr ColumnLayout carColumns[] = {
    {"Wagen", 2700, Alignment::Left, true},
    {"Slot", 555, Alignment::Right, false},
    {"Position", 1140, Alignment::Right, false},
    {"vor - hinter", 3900, Alignment::Left, false},
};

// A list's caption is its name for a screen reader; a label that marks an access key names
// the control after it instead. The frames and the label take no focus and come before the
// options. One control a line, as the table reads best.
using enum ControlKind;
using enum Control;
// clang-format off
inline constexpr DeclaredControl windowControls[] = {
    {id(cmdOpen), "cmdOpen", Button, "Spielstand laden", {840, 5340, 3540, 495}, id(Frame1), Role::Plain, true},
    {id(lvCars), "lvCars", List, "Gefundene Wagen", {240, 360, 4740, 3900}, id(Frame1), Role::Plain, false, true, carColumns},
    {id(cmbCars), "cmbCars", Selector, "", {240, 600, 3540, 360}, id(Frame2)},
    {id(cmdReplace), "cmdReplace", Button, "Ersetzen", {240, 1200, 3540, 495}, id(Frame2), Role::Plain, true},
    {id(cmdSave), "cmdSave", Button, "Änderungen speichern", {5760, 4650, 3540, 495}, inWindow, Role::Plain, true},
    {id(cmdExit), "cmdExit", Button, "Programm beenden", {5760, 5580, 3540, 495}, inWindow, Role::Plain, true},
    {id(Frame1), "Frame1", Frame, "Gefundene Wagen:", {120, 240, 5220, 6000}, inWindow, Role::Plain, true},
    {id(Frame2), "Frame2", Frame, "Markierten Wagen ersetzen durch:", {5520, 240, 4020, 1935}, inWindow, Role::Plain, true},
    {id(Label1), "Label1", Label, "Label1", {5520, 2520, 3975, 1800}},
    {id(optBuyed), "optBuyed", Option, "\"Karrierewagen\" (keine gewonnenen)", {240, 4590, 4740, 315}, id(Frame1), Role::Plain, true},
    {id(optMY), "optMY", Option, "\"Meine Wagen\"", {240, 4890, 4740, 315}, id(Frame1), Role::Plain, true},
    {id(optShop), "optShop", Option, "\"Ladenwagen\"", {240, 4290, 4515, 315}, id(Frame1), Role::Plain, true},
};
// clang-format on
inline constexpr WindowLayout window{"frmVelox", 9705, 6390, windowControls};
static_assert(wellFormed(window) && std::size(windowControls) == std::size_t(Control::Count));

inline constexpr ColumnLayout backupColumns[] = {
    {"Sicherung", 2550, Alignment::Left, true},
    {"Geändert", 1950, Alignment::Left, true},
    {"Unterschied", 6600, Alignment::Left, true},
};
// clang-format off
inline constexpr DeclaredControl backupControls[] = {
    {0, "backupList", List, "", {120, 120, 11160, 3960}, inWindow, Role::Plain, false, false, backupColumns},
    {1, "unsavedWarning", Label, "", {120, 4170, 11160, 285}, inWindow, Role::Status},
    {2, "restoreButton", Button, "Wiederherstellen", {7500, 4560, 2100, 420}, inWindow, Role::Accept},
    {3, "closeButton", Button, "Schließen", {9720, 4560, 1560, 420}, inWindow, Role::Reject},
};
// clang-format on
inline constexpr WindowLayout backups{"backupsDialog", 11400, 5100, backupControls};
static_assert(wellFormed(backups) && isListDialog(backups));

inline constexpr ColumnLayout searchColumns[] = {
    {"Wagen", 5400, Alignment::Left, true},
    {"Kennung", 2400, Alignment::Left, true},
};
// Each label comes just before its control, which it names for a screen reader.
// clang-format off
inline constexpr DeclaredControl searchControls[] = {
    {0, "searchLabel", Label, "&Name enthält:", {120, 120, 8160, 285}},
    {1, "searchText", TextField, "", {120, 420, 8160, 345}, inWindow, Role::TextField},
    {2, "listLabel", Label, "&Passende Wagen:", {120, 885, 8160, 285}},
    {3, "carList", List, "", {120, 1185, 8160, 4200}, inWindow, Role::Plain, false, false, searchColumns},
    {4, "matchCount", Label, "", {120, 5475, 8160, 285}, inWindow, Role::Status},
    {5, "chooseButton", Button, "Auswählen", {4560, 5940, 1800, 420}, inWindow, Role::Accept},
    {6, "cancelButton", Button, "Abbrechen", {6480, 5940, 1800, 420}, inWindow, Role::Reject},
};
// clang-format on
inline constexpr WindowLayout carSearch{"carSearchDialog", 8400, 6480, searchControls};
static_assert(wellFormed(carSearch) && isListDialog(carSearch));

} // namespace layouts
} // namespace garagon
