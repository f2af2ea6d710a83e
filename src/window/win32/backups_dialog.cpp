#include "backups_dialog.hpp"

#include "backup_choice.hpp"
#include "layout.hpp"
#include "list_text.hpp"
#include "texts.hpp"
#include "utf16.hpp"

#include <algorithm>
#include <commctrl.h>
#include <iterator>
#include <utility>

namespace garagon::win32 {
namespace {

enum : int { backupList = 100, unsavedWarning };

// Where each control stands, in twips, as in the main window.
struct Placed {
    int id;
    int left, top, width, height;
};
constexpr int clientWidth = 11400;
constexpr int clientHeight = 5100;
constexpr Placed placed[] = {
    {backupList, 120, 120, 11160, 3960},
    {unsavedWarning, 120, 4170, 11160, 285},
    {IDOK, 7500, 4560, 2100, 420},
    {IDCANCEL, 9720, 4560, 1560, 420},
};
constexpr int columnWidths[] = {2550, 1950, 6600};

struct DialogState {
    const BackupChoice& choice;
    std::optional<std::size_t> chosen;
    HFONT font = nullptr;
};

// A dialog without controls of its own: they are made when it opens, at its DPI.
struct alignas(DWORD) EmptyTemplate {
    DLGTEMPLATE dialog{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 0, 0, 0, 0};
    WORD menu = 0;
    WORD windowClass = 0;
    WORD title = 0;
};

HWND make(HWND dialog, const wchar_t* windowClass, const std::wstring& text, DWORD style, int id) {
    return CreateWindowExW(id == backupList ? WS_EX_CLIENTEDGE : 0, windowClass, text.c_str(),
                           WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, dialog,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

void layOut(HWND dialog, DialogState& state, UINT dpi) {
    RECT frame{0, 0, pixels(clientWidth, dpi), pixels(clientHeight, dpi)};
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE));
    AdjustWindowRectExForDpi(&frame, style, FALSE, 0, dpi);
    SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const HFONT old = std::exchange(state.font, arialFont(dpi, false));
    for (const Placed& control : placed) {
        HWND handle = GetDlgItem(dialog, control.id);
        SetWindowPos(handle, nullptr, pixels(control.left, dpi), pixels(control.top, dpi),
                     pixels(control.width, dpi), pixels(control.height, dpi),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), TRUE);
    }
    DeleteObject(old); // no control uses it any more
    for (int column = 0; column < static_cast<int>(std::size(columnWidths)); ++column) {
        ListView_SetColumnWidth(GetDlgItem(dialog, backupList), column,
                                pixels(columnWidths[column], dpi));
    }
}

// Over the middle of the window it belongs to, but whole on its screen.
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

void createControls(HWND dialog, const BackupChoice& choice) {
    SetWindowTextW(dialog, utf16(choice.title()).c_str());
    HWND list =
        make(dialog, WC_LISTVIEWW, L"",
             LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDATA | WS_TABSTOP | WS_GROUP,
             backupList);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    for (int column = 0; column < static_cast<int>(std::size(texts::BackupColumns)); ++column) {
        const std::wstring header = utf16(texts::BackupColumns[column]);
        LVCOLUMNW layout{};
        layout.mask = LVCF_TEXT | LVCF_WIDTH;
        layout.cx = pixels(columnWidths[column], USER_DEFAULT_SCREEN_DPI);
        layout.pszText = const_cast<wchar_t*>(header.c_str());
        ListView_InsertColumn(list, column, &layout);
    }
    ListView_SetItemCountEx(list, static_cast<int>(choice.rowCount()), 0);
    const int marked = static_cast<int>(choice.markedRow());
    ListView_SetItemState(list, marked, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    make(dialog, L"STATIC", utf16(choice.warning()), SS_LEFT, unsavedWarning);
    make(dialog, L"BUTTON", utf16(texts::RestoreButton), BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP,
         IDOK);
    make(dialog, L"BUTTON", utf16(texts::CloseButton), BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL);
    SetFocus(list);
}

void close(HWND dialog, DialogState& state, int button) {
    const int marked = ListView_GetNextItem(GetDlgItem(dialog, backupList), -1, LVNI_SELECTED);
    const auto row = marked >= 0 ? std::optional(static_cast<std::size_t>(marked)) : std::nullopt;
    if (button == IDOK && !state.choice.restores(row)) {
        return;
    }
    if (button == IDOK) {
        state.chosen = row;
    }
    EndDialog(dialog, button);
}

INT_PTR CALLBACK dialogProcedure(HWND dialog, UINT message, WPARAM w, LPARAM l) {
    auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        state = reinterpret_cast<DialogState*>(l);
        SetWindowLongPtrW(dialog, DWLP_USER, l);
        createControls(dialog, state->choice);
        layOut(dialog, *state, GetDpiForWindow(dialog));
        centreOnOwner(dialog);
        return FALSE; // the focus is on the list already
    case WM_NOTIFY:
        if (const auto* header = reinterpret_cast<NMHDR*>(l); header->idFrom == backupList) {
            if (header->code == LVN_GETDISPINFOW) {
                giveText(*reinterpret_cast<NMLVDISPINFOW*>(l),
                         [state](std::size_t row, int column) {
                             return state->choice.cellText(row, column);
                         });
            } else if (header->code == NM_DBLCLK) {
                close(dialog, *state, IDOK);
            }
        }
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(w) == IDOK || LOWORD(w) == IDCANCEL) {
            close(dialog, *state, LOWORD(w));
        }
        return TRUE;
    case WM_DPICHANGED: {
        const auto* suggested = reinterpret_cast<RECT*>(l);
        SetWindowPos(dialog, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        layOut(dialog, *state, HIWORD(w));
        return TRUE;
    }
    case WM_NCDESTROY: // after the controls, which use the font until they go
        DeleteObject(std::exchange(state->font, nullptr));
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

std::optional<std::size_t> showBackupsDialog(HWND owner, const BackupChoice& choice) {
    static const EmptyTemplate emptyTemplate;
    DialogState state{choice, std::nullopt};
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &emptyTemplate.dialog, owner,
                            dialogProcedure, reinterpret_cast<LPARAM>(&state));
    return state.chosen;
}

} // namespace garagon::win32
