#include "control_factory.hpp"

#include "layout.hpp"
#include "utf16.hpp"

#include <commctrl.h>
#include <string_view>
#include <vector>

namespace garagon::win32 {
namespace {

DWORD groupStyle(const WindowLayout& layout, const ControlSpec& control) {
    if (control.id == 0 || control.role == Role::Accept) {
        return WS_GROUP;
    }
    const ControlSpec& before = layout[control.id - 1];
    const bool firstOption =
        control.kind == ControlKind::Option && before.kind != ControlKind::Option;
    return firstOption || before.kind == ControlKind::Label ? WS_GROUP : 0;
}

struct Look {
    const wchar_t* windowClass;
    DWORD style;
    DWORD extendedStyle = 0;
};

// The checked option alone is a tab stop: checking one moves the stop to it.
Look lookOf(const ControlSpec& control) {
    switch (control.kind) {
    case ControlKind::Button:
        return {L"BUTTON", DWORD(control.role == Role::Accept ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) |
                               WS_TABSTOP};
    case ControlKind::Option:
        return {L"BUTTON", BS_AUTORADIOBUTTON};
    case ControlKind::Frame:
        return {L"BUTTON", BS_GROUPBOX};
    case ControlKind::Label: {
        const bool accessKey =
            std::string_view(control.caption).find('&') != std::string_view::npos;
        return {L"STATIC", DWORD(SS_LEFT | (accessKey ? 0 : SS_NOPREFIX))};
    }
    case ControlKind::Selector:
        return {WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP};
    case ControlKind::TextField:
        return {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::List:
        break; // made as every list is
    }
    return {WC_LISTVIEWW, 0};
}

} // namespace

void makeControls(HWND window, const WindowLayout& layout) {
    for (const ControlSpec& control : layout.controls) {
        const int id = controlId(layout, control.id);
        const DWORD group = groupStyle(layout, control);
        if (control.kind == ControlKind::List) {
            makeList(window, id, control.columns, group | (control.bordered ? WS_BORDER : 0));
        } else {
            const Look look = lookOf(control);
            makeControl(window, look.windowClass, utf16(control.caption), look.style | group, id,
                        look.extendedStyle);
        }
    }
}

void layOutControls(HWND window, const WindowLayout& layout, UINT dpi, Fonts& fonts) {
    std::vector<Placed> placed;
    for (const ControlSpec& control : layout.controls) {
        const Place frame = control.frame != inWindow ? layout[control.frame].place : Place{};
        const int dropped = control.kind == ControlKind::Selector ? layouts::droppedListHeight : 0;
        placed.push_back({controlId(layout, control.id), control.place.left + frame.left,
                          control.place.top + frame.top, control.place.width,
                          control.place.height + dropped, control.bold});
    }
    placeControls(window, placed, {layout.width, layout.height}, dpi, fonts);
    for (const ControlSpec& control : layout.controls) {
        if (control.kind == ControlKind::List) {
            setColumnWidths(GetDlgItem(window, controlId(layout, control.id)), control.columns,
                            dpi);
        }
    }
}

} // namespace garagon::win32
