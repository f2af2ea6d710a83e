#include "backups_dialog.hpp"

#include "backup_choice.hpp"
#include "dialog_frame.hpp"
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

constexpr SIZE client{11400, 5100};
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

void layOut(HWND dialog, DialogState& state, UINT dpi) {
    placeControls(dialog, placed, client, dpi, state.font);
    setColumnWidths(GetDlgItem(dialog, backupList), columnWidths, dpi);
}

void createControls(HWND dialog, const BackupChoice& choice) {
    SetWindowTextW(dialog, utf16(choice.title()).c_str());
    HWND list = makeList(dialog, backupList);
    addColumns(list, texts::BackupColumns, columnWidths);
    ListView_SetItemCountEx(list, static_cast<int>(choice.rowCount()), 0);
    markRow(list, choice.markedRow());
    makeControl(dialog, L"STATIC", utf16(choice.warning()), SS_LEFT, unsavedWarning);
    makeControl(dialog, L"BUTTON", utf16(texts::RestoreButton),
                BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, IDOK);
    makeControl(dialog, L"BUTTON", utf16(texts::CloseButton), BS_PUSHBUTTON | WS_TABSTOP,
                IDCANCEL);
    SetFocus(list);
}

void close(HWND dialog, DialogState& state, int button) {
    const auto row = markedRow(GetDlgItem(dialog, backupList));
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
    case WM_DPICHANGED:
        moveToSuggested(dialog, l);
        layOut(dialog, *state, HIWORD(w));
        return TRUE;
    case WM_NCDESTROY: // after the controls, which use the font until they go
        DeleteObject(std::exchange(state->font, nullptr));
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

std::optional<std::size_t> showBackupsDialog(HWND owner, const BackupChoice& choice) {
    DialogState state{choice, std::nullopt};
    runDialog(owner, dialogProcedure, reinterpret_cast<LPARAM>(&state));
    return state.chosen;
}

} // namespace garagon::win32
