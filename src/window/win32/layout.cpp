// The fixed layout of the window: every control at its place, in twips.
#include "layout.hpp"

#include <commctrl.h>

namespace garagon::win32 {
namespace {

constexpr DWORD button = BS_PUSHBUTTON | WS_TABSTOP;
// The checked option alone is a tab stop: checking one moves the stop to it.
constexpr DWORD option = BS_AUTORADIOBUTTON;
// The list marks one row at a time, keeps it shown without the focus and asks for the
// texts of a row only when it draws it.
constexpr DWORD list =
    LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL | LVS_OWNERDATA | WS_TABSTOP | WS_BORDER;
// The height of the selector is that of the closed control; its list drops below.
constexpr int selectorListHeight = 3600;

} // namespace

const std::array<ControlLayout, 12> controls{{
    {cmdOpen, L"cmdOpen", L"BUTTON", L"Spielstand laden", button | WS_GROUP, Frame1, 840, 5340,
     3540, 495, true},
    {lvCars, L"lvCars", WC_LISTVIEWW, L"", list, Frame1, 240, 360, 4740, 3900, false},
    {cmbCars, L"cmbCars", WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, Frame2,
     240, 600, 3540, 360 + selectorListHeight, false},
    {cmdReplace, L"cmdReplace", L"BUTTON", L"Ersetzen", button, Frame2, 240, 1200, 3540, 495, true},
    {cmdSave, L"cmdSave", L"BUTTON", L"Änderungen speichern", button | WS_DISABLED, cmdSave, 5760,
     4650, 3540, 495, true},
    {cmdExit, L"cmdExit", L"BUTTON", L"Programm beenden", button, cmdExit, 5760, 5580, 3540, 495,
     true},
    {Frame1, L"Frame1", L"BUTTON", L"Gefundene Wagen:", BS_GROUPBOX, Frame1, 120, 240, 5220, 6000,
     true},
    {Frame2, L"Frame2", L"BUTTON", L"Markierten Wagen ersetzen durch:", BS_GROUPBOX, Frame2, 5520,
     240, 4020, 1935, true},
    {Label1, L"Label1", L"STATIC", L"Label1", SS_LEFT | SS_NOPREFIX, Label1, 5520, 2520, 3975, 1800,
     false},
    {optBuyed, L"optBuyed", L"BUTTON", L"\"Karrierewagen\" (keine gewonnenen)", option | WS_GROUP,
     Frame1, 240, 4590, 4740, 315, true},
    {optMY, L"optMY", L"BUTTON", L"\"Meine Wagen\"", option, Frame1, 240, 4890, 4740, 315, true},
    {optShop, L"optShop", L"BUTTON", L"\"Ladenwagen\"", option, Frame1, 240, 4290, 4515, 315, true},
}};

const std::array<ColumnLayout, 4> columns{{
    {L"Wagen", 2700, LVCFMT_LEFT},
    {L"Slot", 555, LVCFMT_RIGHT},
    {L"Position", 1140, LVCFMT_RIGHT},
    {L"vor - hinter", 3900, LVCFMT_LEFT},
}};

} // namespace garagon::win32
