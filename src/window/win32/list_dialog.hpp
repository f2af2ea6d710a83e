#pragma once

#include "dialog_frame.hpp"
#include "list_text.hpp"

#include <commctrl.h>
#include <cstddef>
#include <optional>
#include <utility>

namespace garagon::win32 {

// What the window's dialogs with a virtual list share: the list's texts, Return, a double
// click or the default button to choose the marked row, Escape to close, the DPI and the
// font. A State gives its list's id (listId), makes and places its controls (create,
// layOut), gives the texts of the rows (cellText), says which marked row may be chosen
// (accepts) and hears its other commands (command); it holds the row chosen (chosen)
// and its font (font).
template <class State> void closeListDialog(HWND dialog, State& state, int button) {
    const auto row = markedRow(GetDlgItem(dialog, State::listId));
    if (button == IDOK && !state.accepts(row)) {
        return;
    }
    if (button == IDOK) {
        state.chosen = row;
    }
    EndDialog(dialog, button);
}

template <class State>
INT_PTR CALLBACK listDialogProcedure(HWND dialog, UINT message, WPARAM w, LPARAM l) {
    auto* state = reinterpret_cast<State*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        state = reinterpret_cast<State*>(l);
        SetWindowLongPtrW(dialog, DWLP_USER, l);
        state->create(dialog);
        state->layOut(dialog, GetDpiForWindow(dialog));
        centreOnOwner(dialog);
        return FALSE; // create has put the focus where it belongs
    case WM_NOTIFY:
        if (const auto* header = reinterpret_cast<NMHDR*>(l); header->idFrom == State::listId) {
            if (header->code == LVN_GETDISPINFOW) {
                giveText(
                    *reinterpret_cast<NMLVDISPINFOW*>(l),
                    [state](std::size_t row, int column) { return state->cellText(row, column); });
            } else if (header->code == NM_DBLCLK) {
                closeListDialog(dialog, *state, IDOK);
            }
        }
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(w) == IDOK || LOWORD(w) == IDCANCEL) {
            closeListDialog(dialog, *state, LOWORD(w));
        } else {
            state->command(dialog, LOWORD(w), HIWORD(w));
        }
        return TRUE;
    case WM_DPICHANGED:
        moveToSuggested(dialog, l);
        state->layOut(dialog, HIWORD(w));
        return TRUE;
    case WM_NCDESTROY: // after the controls, which use the font until they go
        DeleteObject(std::exchange(state->font, nullptr));
        return TRUE;
    default:
        return FALSE;
    }
}

// Shows the dialog modally; the row chosen, or nothing when it was closed.
template <class State> std::optional<std::size_t> runListDialog(HWND owner, State state) {
    runDialog(owner, listDialogProcedure<State>, reinterpret_cast<LPARAM>(&state));
    return state.chosen;
}

} // namespace garagon::win32
