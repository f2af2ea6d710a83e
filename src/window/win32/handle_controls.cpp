#include "handle_controls.hpp"

#include "control_factory.hpp"
#include "layout.hpp"
#include "utf16.hpp"

#include <commctrl.h>
#include <windowsx.h>

namespace garagon::win32 {
namespace {

// A virtual list asks for the cells it draws, where it gives room for their text.
void giveText(NMLVDISPINFOW& request, const Rows& rows) {
    if ((request.item.mask & LVIF_TEXT) != 0 && request.item.cchTextMax > 0) {
        const std::wstring text = utf16(
            rows.cellText(static_cast<std::size_t>(request.item.iItem), request.item.iSubItem));
        lstrcpynW(request.item.pszText, text.c_str(), request.item.cchTextMax);
    }
}

} // namespace

void HandleControls::makeAll(HWND window) {
    window_ = window;
    makeControls(window_, layout_);
    layOutControls(window_, layout_, GetDpiForWindow(window_), fonts_);
}

bool HandleControls::answerAlike(UINT message, WPARAM w, LPARAM l, const Rows& rows) {
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(l)->code == LVN_GETDISPINFOW) {
        giveText(*reinterpret_cast<NMLVDISPINFOW*>(l), rows);
        return true;
    }
    if (message == WM_DPICHANGED) {
        moveToSuggested(window_, l);
        layOutControls(window_, layout_, HIWORD(w), fonts_);
        return true;
    }
    return false;
}

HWND HandleControls::handleOf(int control) const {
    return GetDlgItem(window_, controlId(layout_, control));
}

void HandleControls::setText(int control, const std::string& text) {
    SetWindowTextW(handleOf(control), utf16(text).c_str());
}

void HandleControls::enable(int control, bool enabled) {
    EnableWindow(handleOf(control), enabled);
}

void HandleControls::setShown(int control, bool shown) {
    ShowWindow(handleOf(control), shown ? SW_SHOW : SW_HIDE);
}

void HandleControls::showRows(int list, std::size_t count, std::optional<std::size_t> marked) {
    HWND rows = handleOf(list);
    ListView_SetItemCountEx(rows, static_cast<int>(count), 0);
    if (marked) {
        const int row = static_cast<int>(*marked);
        ListView_SetItemState(rows, row, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
        ListView_EnsureVisible(rows, row, FALSE);
    } else {
        ListView_SetItemState(rows, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    }
    InvalidateRect(rows, nullptr, TRUE);
}

void HandleControls::hideColumn(int list, int column) {
    ListView_SetColumnWidth(handleOf(list), column, 0);
}

// Storage for all entries at once and no drawing until the last is in: each entry then
// costs one conversion, even for the largest catalogue. The entries go to the selector's
// list itself, which holds them, and straight to its procedure: the selector would pass
// each one on, and sending a message costs as much again under Wine.
void HandleControls::setEntries(int selector, const std::vector<std::string_view>& entries) {
    HWND box = handleOf(selector);
    COMBOBOXINFO parts{};
    parts.cbSize = sizeof parts;
    GetComboBoxInfo(box, &parts);
    std::size_t characters = 0;
    for (const std::string_view entry : entries) {
        characters += entry.size() + 1;
    }
    SendMessageW(box, WM_SETREDRAW, FALSE, 0);
    SendMessageW(box, CB_INITSTORAGE, entries.size(), characters * sizeof(wchar_t));
    const auto list = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(parts.hwndList, GWLP_WNDPROC));
    std::wstring name;
    for (const std::string_view entry : entries) {
        utf16(entry, name);
        CallWindowProcW(list, parts.hwndList, LB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(name.c_str()));
    }
    SendMessageW(box, WM_SETREDRAW, TRUE, 0);
}

void HandleControls::chooseEntry(int selector, int entry) {
    ComboBox_SetCurSel(handleOf(selector), entry);
}

void HandleControls::focus(int control) {
    SetFocus(handleOf(control));
}

bool HandleControls::isFocused(int control) const {
    return GetFocus() == handleOf(control);
}

std::optional<std::size_t> HandleControls::markedRow(int list) const {
    const int marked = ListView_GetNextItem(handleOf(list), -1, LVNI_SELECTED);
    return marked >= 0 ? std::optional(static_cast<std::size_t>(marked)) : std::nullopt;
}

int HandleControls::chosenEntry(int selector) const {
    return ComboBox_GetCurSel(handleOf(selector));
}

std::string HandleControls::text(int textField) const {
    HWND field = handleOf(textField);
    std::wstring typed(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
    typed.resize(static_cast<std::size_t>(
        GetWindowTextW(field, typed.data(), static_cast<int>(typed.size()))));
    return utf8(typed);
}

} // namespace garagon::win32
