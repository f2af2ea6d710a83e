#include "list_dialog_view.hpp"

#include "dialog_frame.hpp"
#include "handle_controls.hpp"
#include "keys.hpp"
#include "list_dialog.hpp"
#include "utf16.hpp"

#include <algorithm>
#include <commctrl.h>

namespace garagon::win32 {
namespace {

struct DialogState : HandleControls {
    explicit DialogState(ListDialog& shown) : HandleControls(shown.layout()), dialog(shown) {}

    ListDialog& dialog;
    std::optional<std::size_t> chosen;

    int list() const { return *layout_.find(ControlKind::List); }
};

// The keys that move the mark go from the text field to the list.
LRESULT CALLBACK textKeys(HWND text, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR list) {
    const auto movesMark = [w](Key key) { return virtualKey(key) == w; };
    if (message == WM_KEYDOWN && std::ranges::any_of(listKeys, movesMark)) {
        SendMessageW(reinterpret_cast<HWND>(list), message, w, l);
        return 0;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(text, textKeys, 0);
    }
    return DefSubclassProc(text, message, w, l);
}

void create(HWND window, DialogState& state) {
    SetWindowTextW(window, utf16(state.dialog.title()).c_str());
    state.makeAll(window);
    if (const auto field = state.dialog.layout().find(Role::TextField)) {
        SetWindowSubclass(state.handleOf(*field), textKeys, 0,
                          reinterpret_cast<DWORD_PTR>(state.handleOf(state.list())));
    }
    state.dialog.opened(state);
}

void close(HWND window, DialogState& state, int button) {
    const auto row = state.markedRow(state.list());
    if (button == IDOK && !state.dialog.chooses(row)) {
        return;
    }
    if (button == IDOK) {
        state.chosen = row;
    }
    EndDialog(window, button);
}

void onCommand(HWND window, DialogState& state, WORD id, WORD code) {
    if (id == IDOK || id == IDCANCEL) {
        close(window, state, id);
    } else if (code == EN_CHANGE) {
        state.dialog.edited(state);
    }
}

INT_PTR CALLBACK dialogProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(window, DWLP_USER));
    if (state != nullptr && state->answerAlike(message, w, l, state->dialog)) {
        return TRUE;
    }
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(window, DWLP_USER, l);
        create(window, *reinterpret_cast<DialogState*>(l));
        centreOnOwner(window);
        return FALSE; // the focus is where the dialog put it
    case WM_NOTIFY:   // a double click chooses
        if (const auto* header = reinterpret_cast<NMHDR*>(l);
            header->code == NM_DBLCLK && header->hwndFrom == state->handleOf(state->list())) {
            close(window, *state, IDOK);
        }
        return TRUE;
    case WM_COMMAND:
        onCommand(window, *state, LOWORD(w), HIWORD(w));
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

std::optional<std::size_t> chooseFromList(HWND owner, ListDialog& dialog) {
    DialogState state(dialog);
    runDialog(owner, dialogProcedure, reinterpret_cast<LPARAM>(&state));
    return state.chosen;
}

} // namespace garagon::win32
