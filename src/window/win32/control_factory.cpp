#include "control_factory.hpp"

#include "layout.hpp"
#include "utf16.hpp"

#include <commctrl.h>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace garagon::win32 {
namespace {

HWND makeControl(HWND window, const wchar_t* windowClass, const std::wstring& text, DWORD style,
                 int id, DWORD extendedStyle = 0) {
    return CreateWindowExW(extendedStyle, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style,
                           0, 0, 0, 0, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

// A virtual report list of one mark at a time, whole rows marked, with its columns: it
// asks for the texts of a row only when it draws it.
HWND makeList(HWND window, int id, std::span<const ColumnLayout> columns, DWORD style) {
    HWND list = makeControl(window, WC_LISTVIEWW, L"",
                            LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDATA |
                                WS_TABSTOP | style,
                            id, WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    for (std::size_t column = 0; column < columns.size(); ++column) {
        const std::wstring header = utf16(columns[column].header);
        LVCOLUMNW layout{};
        layout.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
        layout.fmt = columns[column].alignment == Alignment::Right ? LVCFMT_RIGHT : LVCFMT_LEFT;
        layout.cx = pixels(columns[column].width, USER_DEFAULT_SCREEN_DPI);
        layout.pszText = const_cast<wchar_t*>(header.c_str());
        ListView_InsertColumn(list, static_cast<int>(column), &layout);
    }
    return list;
}

// The visible columns' widths at a DPI; a hidden one keeps the width 0 it was given.
void setColumnWidths(HWND list, std::span<const ColumnLayout> columns, UINT dpi) {
    for (std::size_t column = 0; column < columns.size(); ++column) {
        if (columns[column].visible) {
            ListView_SetColumnWidth(list, static_cast<int>(column),
                                    pixels(columns[column].width, dpi));
        }
    }
}

// The client area at the DPI.
void sizeWindow(HWND window, const WindowLayout& layout, UINT dpi) {
    RECT frame{0, 0, pixels(layout.width, dpi), pixels(layout.height, dpi)};
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    AdjustWindowRectExForDpi(&frame, style, FALSE, 0, dpi);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

DWORD groupStyle(const WindowLayout& layout, const DeclaredControl& control) {
    if (control.id == 0 || control.role == Role::Accept) {
        return WS_GROUP;
    }
    const DeclaredControl& before = layout[control.id - 1];
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
Look lookOf(const DeclaredControl& control) {
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
    for (const DeclaredControl& control : layout.controls) {
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

// New fonts replace the old ones, which go once no control uses them any more.
void layOutControls(HWND window, const WindowLayout& layout, UINT dpi, Fonts& fonts) {
    sizeWindow(window, layout, dpi);
    Fonts old = std::exchange(fonts, Fonts{controlFont(dpi, false), controlFont(dpi, true)});
    for (const DeclaredControl& control : layout.controls) {
        const Place frame = control.frame != inWindow ? layout[control.frame].place : Place{};
        const int dropped = control.kind == ControlKind::Selector ? layouts::droppedListHeight : 0;
        HWND handle = GetDlgItem(window, controlId(layout, control.id));
        SetWindowPos(handle, nullptr, pixels(frame.left + control.place.left, dpi),
                     pixels(frame.top + control.place.top, dpi), pixels(control.place.width, dpi),
                     pixels(control.place.height + dropped, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(handle, WM_SETFONT,
                     reinterpret_cast<WPARAM>(control.bold ? fonts.bold : fonts.regular), TRUE);
        if (control.kind == ControlKind::List) {
            setColumnWidths(handle, control.columns, dpi);
        }
    }
    deleteFonts(old);
}

} // namespace garagon::win32
