#include "list_dialog_view.hpp"

#include "control_factory.hpp"
#include "dialog_frame.hpp"
#include "handle_controls.hpp"
#include "keys.hpp"
#include "list_dialog.hpp"
#include "list_text.hpp"
#include "utf16.hpp"

#include <algorithm>
#include <commctrl.h>

namespace garagon::win32 {
namespace {

struct DialogState : HandleControls {
    explicit DialogState(ListDialog& shown) : HandleControls(shown.layout()), dialog(shown) {}

    ListDialog& dialog;
    std::optional<std::size_t> chosen;
    Fonts fonts;

    int list() const { return *layout_.find(ControlKind::List); }
    void attach(HWND window) { window_ = window; }
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
    state.attach(window);
    SetWindowTextW(window, utf16(state.dialog.title()).c_str());
    makeControls(window, state.dialog.layout());
    if (const auto field = state.dialog.layout().find(Role::TextField)) {
        SetWindowSubclass(state.handleOf(*field), textKeys, 0,
                          reinterpret_cast<DWORD_PTR>(state.handleOf(state.list())));
    }
    layOutControls(window, state.dialog.layout(), GetDpiForWindow(window), state.fonts);
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

void onNotify(HWND window, DialogState& state, NMHDR& header) {
    if (header.hwndFrom != state.handleOf(state.list())) {
        return;
    }
    if (header.code == LVN_GETDISPINFOW) {
        giveText(reinterpret_cast<NMLVDISPINFOW&>(header), [&state](std::size_t row, int column) {
            return state.dialog.cellText(row, column);
        });
    } else if (header.code == NM_DBLCLK) {
        close(window, state, IDOK);
    }
}

INT_PTR CALLBACK dialogProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(window, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(window, DWLP_USER, l);
        create(window, *reinterpret_cast<DialogState*>(l));
        centreOnOwner(window);
        return FALSE; // the focus is where the dialog put it
    case WM_NOTIFY:
        onNotify(window, *state, *reinterpret_cast<NMHDR*>(l));
        return TRUE;
    case WM_COMMAND:
        onCommand(window, *state, LOWORD(w), HIWORD(w));
        return TRUE;
    case WM_DPICHANGED:
        moveToSuggested(window, l);
        layOutControls(window, state->dialog.layout(), HIWORD(w), state->fonts);
        return TRUE;
    case WM_NCDESTROY: // after the controls, which use the fonts until they go
        deleteFonts(state->fonts);
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
