// The fixed layout of the window and its dialogs, in twips, with their captions.
#include "window_layout.hpp"

namespace garagon {
namespace window_layout {

using enum Control;
using enum ControlKind;

const std::array<ControlLayout, static_cast<std::size_t>(Control::Count)> controls{{
    {cmdOpen, "cmdOpen", Button, "Spielstand laden", Frame1, 840, 5340, 3540, 495, true},
    {lvCars, "lvCars", List, "", Frame1, 240, 360, 4740, 3900, false},
    {cmbCars, "cmbCars", Selector, "", Frame2, 240, 600, 3540, 360, false},
    {cmdReplace, "cmdReplace", Button, "Ersetzen", Frame2, 240, 1200, 3540, 495, true},
    {cmdSave, "cmdSave", Button, "Änderungen speichern", cmdSave, 5760, 4650, 3540, 495, true},
    {cmdExit, "cmdExit", Button, "Programm beenden", cmdExit, 5760, 5580, 3540, 495, true},
    {Frame1, "Frame1", Frame, "Gefundene Wagen:", Frame1, 120, 240, 5220, 6000, true},
    {Frame2, "Frame2", Frame, "Markierten Wagen ersetzen durch:", Frame2, 5520, 240, 4020, 1935,
     true},
    {Label1, "Label1", Label, "Label1", Label1, 5520, 2520, 3975, 1800, false},
    {optBuyed, "optBuyed", Option, "\"Karrierewagen\" (keine gewonnenen)", Frame1, 240, 4590, 4740,
     315, true},
    {optMY, "optMY", Option, "\"Meine Wagen\"", Frame1, 240, 4890, 4740, 315, true},
    {optShop, "optShop", Option, "\"Ladenwagen\"", Frame1, 240, 4290, 4515, 315, true},
}};

// Only the car's name is shown; slot, position and context are there at width 0.
const std::array<ColumnLayout, 4> columns{{
    {"Wagen", 2700, Alignment::Left, true},
    {"Slot", 555, Alignment::Right, false},
    {"Position", 1140, Alignment::Right, false},
    {"vor - hinter", 3900, Alignment::Left, false},
}};

} // namespace window_layout

namespace dialog_layout {
namespace {

using enum DialogPart;

constexpr DialogControl backupControls[] = {
    {"backupList", List, "", 120, 120, 11160, 3960},
    {"unsavedWarning", Status, "", 120, 4170, 11160, 285},
    {"restoreButton", AcceptButton, "Wiederherstellen", 7500, 4560, 2100, 420},
    {"closeButton", RejectButton, "Schließen", 9720, 4560, 1560, 420},
};
constexpr ColumnLayout backupColumns[] = {
    {"Sicherung", 2550, Alignment::Left, true},
    {"Geändert", 1950, Alignment::Left, true},
    {"Unterschied", 6600, Alignment::Left, true},
};

// Each label comes just before its control, which it names for a screen reader.
constexpr DialogControl searchControls[] = {
    {"searchLabel", Label, "&Name enthält:", 120, 120, 8160, 285},
    {"searchText", TextField, "", 120, 420, 8160, 345},
    {"listLabel", Label, "&Passende Wagen:", 120, 885, 8160, 285},
    {"carList", List, "", 120, 1185, 8160, 4200},
    {"matchCount", Status, "", 120, 5475, 8160, 285},
    {"chooseButton", AcceptButton, "Auswählen", 4560, 5940, 1800, 420},
    {"cancelButton", RejectButton, "Abbrechen", 6480, 5940, 1800, 420},
};
constexpr ColumnLayout searchColumns[] = {
    {"Wagen", 5400, Alignment::Left, true},
    {"Kennung", 2400, Alignment::Left, true},
};

} // namespace

const DialogLayout backups{"backupsDialog", 11400, 5100, backupControls, backupColumns};
const DialogLayout carSearch{"carSearchDialog", 8400, 6480, searchControls, searchColumns};

} // namespace dialog_layout
} // namespace garagon
