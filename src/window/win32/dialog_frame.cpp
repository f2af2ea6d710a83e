#include "dialog_frame.hpp"

#include "layout.hpp"
#include "utf16.hpp"

#include <algorithm>
#include <commctrl.h>
#include <utility>

namespace garagon::win32 {
namespace {

struct alignas(DWORD) EmptyTemplate {
    DLGTEMPLATE dialog{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 0, 0, 0, 0};
    WORD menu = 0;
    WORD windowClass = 0;
    WORD title = 0;
};

} // namespace

HWND makeControl(HWND dialog, const wchar_t* windowClass, const std::wstring& text, DWORD style,
                 int id, DWORD extendedStyle) {
    return CreateWindowExW(extendedStyle, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style,
                           0, 0, 0, 0, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

// It asks for the texts of a row only when it draws it.
HWND makeList(HWND dialog, int id, std::span<const ColumnLayout> columns, DWORD style) {
    HWND list = makeControl(dialog, WC_LISTVIEWW, L"",
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

void setColumnWidths(HWND list, std::span<const ColumnLayout> columns, UINT dpi) {
    for (std::size_t column = 0; column < columns.size(); ++column) {
        if (columns[column].visible) {
            ListView_SetColumnWidth(list, static_cast<int>(column),
                                    pixels(columns[column].width, dpi));
        }
    }
}

void showRows(HWND list, std::size_t count, std::optional<std::size_t> marked) {
    ListView_SetItemCountEx(list, static_cast<int>(count), 0);
    markRow(list, marked);
    InvalidateRect(list, nullptr, TRUE);
}

void markRow(HWND list, std::optional<std::size_t> row) {
    if (!row) {
        ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        return;
    }
    const int index = static_cast<int>(*row);
    ListView_SetItemState(list, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, index, FALSE);
}

std::optional<std::size_t> markedRow(HWND list) {
    const int marked = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    return marked >= 0 ? std::optional(static_cast<std::size_t>(marked)) : std::nullopt;
}

void placeControls(HWND window, std::span<const Placed> controls, SIZE client, UINT dpi,
                   Fonts& fonts) {
    RECT frame{0, 0, pixels(client.cx, dpi), pixels(client.cy, dpi)};
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    AdjustWindowRectExForDpi(&frame, style, FALSE, 0, dpi);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Fonts old = std::exchange(fonts, Fonts{controlFont(dpi, false), controlFont(dpi, true)});
    for (const Placed& control : controls) {
        HWND handle = GetDlgItem(window, control.id);
        SetWindowPos(handle, nullptr, pixels(control.left, dpi), pixels(control.top, dpi),
                     pixels(control.width, dpi), pixels(control.height, dpi),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        const HFONT font = control.bold ? fonts.bold : fonts.regular;
        SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    deleteFonts(old);
}

void deleteFonts(Fonts& fonts) {
    DeleteObject(std::exchange(fonts.regular, nullptr));
    DeleteObject(std::exchange(fonts.bold, nullptr));
}

void centreOnOwner(HWND dialog) {
    RECT owner{};
    RECT own{};
    GetWindowRect(GetWindow(dialog, GW_OWNER), &owner);
    GetWindowRect(dialog, &own);
    MONITORINFO screen{};
    screen.cbSize = sizeof screen;
    GetMonitorInfoW(MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &screen);
    const RECT& area = screen.rcWork;
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    const int left = std::clamp((owner.left + owner.right - width) / 2, area.left,
                                std::max(area.left, area.right - width));
    const int top = std::clamp((owner.top + owner.bottom - height) / 2, area.top,
                               std::max(area.top, area.bottom - height));
    SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void moveToSuggested(HWND window, LPARAM suggestedRectangle) {
    const auto* suggested = reinterpret_cast<const RECT*>(suggestedRectangle);
    SetWindowPos(window, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void runDialog(HWND owner, DLGPROC procedure, LPARAM state) {
    static const EmptyTemplate emptyTemplate;
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &emptyTemplate.dialog, owner, procedure,
                            state);
}

} // namespace garagon::win32
