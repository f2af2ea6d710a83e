#pragma once

#include <array>
#include <cstddef>
#include <span>

// The window and its dialogs as each view draws them: every control with its name, kind,
// caption (UTF-8), place and size in twips (1,440 to the inch), and every list's columns.
namespace garagon {

// Every control of the window, in the order they are made: tab order, with the frames and
// the label, which take no focus, before the options.
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

enum class ControlKind { Button, Option, Frame, Label, List, Selector };

struct ControlLayout {
    Control control;
    const char* name;
    ControlKind kind;
    const char* caption;
    Control container; // a frame, or the control itself where it stands in the window
    int left, top, width, height;
    bool bold;
};

enum class Alignment { Left, Right };

// A list's column; one not visible has the width 0 and says nothing to a screen reader.
struct ColumnLayout {
    const char* header;
    int width;
    Alignment alignment;
    bool visible;
};

// Whether the Tab key stops at a control of this kind.
constexpr bool takesFocus(ControlKind kind) {
    return kind != ControlKind::Frame && kind != ControlKind::Label;
}

namespace window_layout {

extern const std::array<ControlLayout, static_cast<std::size_t>(Control::Count)> controls;
extern const std::array<ColumnLayout, 4> columns;
inline constexpr int clientWidth = 9705;
inline constexpr int clientHeight = 6390;
// The selector's list, dropped below the closed control.
inline constexpr int droppedListHeight = 3600;

inline const ControlLayout& layoutOf(Control control) {
    return controls[static_cast<std::size_t>(control)];
}

} // namespace window_layout

// The font of every control, the window's and the dialogs'.
inline constexpr const char* fontFamily = "Arial";
inline constexpr int fontHundredthsOfPoint = 975;

// A modal dialog of one list, as both views draw it: its parts in tab order. Each has one
// list, one status line and an accepting and a rejecting button; a label names the part
// after it.
enum class DialogPart { Label, TextField, List, Status, AcceptButton, RejectButton };

struct DialogControl {
    const char* name;
    DialogPart part;
    const char* caption;
    int left, top, width, height;
};

struct DialogLayout {
    const char* name;
    int width, height; // of the client area
    std::span<const DialogControl> controls;
    std::span<const ColumnLayout> columns;
};

namespace dialog_layout {
extern const DialogLayout backups;
extern const DialogLayout carSearch;
} // namespace dialog_layout

} // namespace garagon
