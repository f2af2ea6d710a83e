#include "list_dialog_view.hpp"

#include "dialog_frame.hpp"
#include "keys.hpp"
#include "layout.hpp"
#include "list_dialog.hpp"
#include "list_text.hpp"
#include "utf16.hpp"

#include <algorithm>
#include <commctrl.h>
#include <utility>
#include <vector>

namespace garagon::win32 {
namespace {

struct DialogState {
    ListDialog& dialog;
    std::optional<std::size_t> chosen;
    Fonts fonts;
};

// The accepting and the rejecting button have the ids that the dialog keys send.
int idOf(const DialogLayout& layout, const DialogControl& control) {
    switch (control.part) {
    case DialogPart::AcceptButton:
        return IDOK;
    case DialogPart::RejectButton:
        return IDCANCEL;
    default:
        return firstControlId + static_cast<int>(&control - layout.controls.data());
    }
}

int idOfPart(const DialogLayout& layout, DialogPart part) {
    const auto found = std::ranges::find(layout.controls, part, &DialogControl::part);
    return found == layout.controls.end() ? 0 : idOf(layout, *found);
}

HWND partOf(HWND window, const ListDialog& dialog, DialogPart part) {
    return GetDlgItem(window, idOfPart(dialog.layout(), part));
}

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

HWND makePart(HWND window, const DialogLayout& layout, const DialogControl& control) {
    const int id = idOf(layout, control);
    const std::wstring caption = utf16(control.caption);
    switch (control.part) {
    case DialogPart::Label:
    case DialogPart::Status:
        return makeControl(window, L"STATIC", caption, SS_LEFT, id);
    case DialogPart::TextField:
        return makeControl(window, L"EDIT", caption, ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, id,
                           WS_EX_CLIENTEDGE);
    case DialogPart::List:
        return makeList(window, id, layout.columns, WS_GROUP);
    case DialogPart::AcceptButton:
        return makeControl(window, L"BUTTON", caption, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP,
                           id);
    case DialogPart::RejectButton:
        break;
    }
    return makeControl(window, L"BUTTON", caption, BS_PUSHBUTTON | WS_TABSTOP, id);
}

// The rows anew, the first one marked, the status line, and the accepting button enabled
// only where it could choose.
void showDialogRows(HWND window, const ListDialog& dialog) {
    const auto marked = dialog.firstMarkedRow();
    showRows(partOf(window, dialog, DialogPart::List), dialog.rowCount(), marked);
    SetWindowTextW(partOf(window, dialog, DialogPart::Status), utf16(dialog.status()).c_str());
    EnableWindow(GetDlgItem(window, IDOK), dialog.chooses(marked));
}

void create(HWND window, ListDialog& dialog) {
    SetWindowTextW(window, utf16(dialog.title()).c_str());
    for (const DialogControl& control : dialog.layout().controls) {
        makePart(window, dialog.layout(), control);
    }
    HWND list = partOf(window, dialog, DialogPart::List);
    HWND text = partOf(window, dialog, DialogPart::TextField);
    if (text != nullptr) {
        SetWindowSubclass(text, textKeys, 0, reinterpret_cast<DWORD_PTR>(list));
    }
    showDialogRows(window, dialog);
    SetFocus(text != nullptr ? text : list);
}

void layOut(HWND window, DialogState& state, UINT dpi) {
    const DialogLayout& layout = state.dialog.layout();
    std::vector<Placed> placed;
    for (const DialogControl& control : layout.controls) {
        placed.push_back({idOf(layout, control), control.left, control.top, control.width,
                          control.height, false});
    }
    placeControls(window, placed, {layout.width, layout.height}, dpi, state.fonts);
    setColumnWidths(partOf(window, state.dialog, DialogPart::List), layout.columns, dpi);
}

void close(HWND window, DialogState& state, int button) {
    const auto row = markedRow(partOf(window, state.dialog, DialogPart::List));
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
        return close(window, state, id);
    }
    if (code == EN_CHANGE) {
        HWND text = GetDlgItem(window, id);
        std::wstring query(static_cast<std::size_t>(GetWindowTextLengthW(text)) + 1, L'\0');
        query.resize(static_cast<std::size_t>(
            GetWindowTextW(text, query.data(), static_cast<int>(query.size()))));
        state.dialog.search(utf8(query));
        showDialogRows(window, state.dialog);
    }
}

void onNotify(HWND window, DialogState& state, NMHDR& header) {
    if (static_cast<int>(header.idFrom) != idOfPart(state.dialog.layout(), DialogPart::List)) {
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
        state = reinterpret_cast<DialogState*>(l);
        SetWindowLongPtrW(window, DWLP_USER, l);
        create(window, state->dialog);
        layOut(window, *state, GetDpiForWindow(window));
        centreOnOwner(window);
        return FALSE; // create has put the focus where it belongs
    case WM_NOTIFY:
        onNotify(window, *state, *reinterpret_cast<NMHDR*>(l));
        return TRUE;
    case WM_COMMAND:
        onCommand(window, *state, LOWORD(w), HIWORD(w));
        return TRUE;
    case WM_DPICHANGED:
        moveToSuggested(window, l);
        layOut(window, *state, HIWORD(w));
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
    DialogState state{dialog, std::nullopt, {}};
    runDialog(owner, dialogProcedure, reinterpret_cast<LPARAM>(&state));
    return state.chosen;
}

} // namespace garagon::win32
