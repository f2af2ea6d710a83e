#include "car_search_dialog.hpp"

#include "car_finder.hpp"
#include "dialog_frame.hpp"
#include "list_text.hpp"
#include "texts.hpp"
#include "utf16.hpp"

#include <commctrl.h>
#include <utility>

namespace garagon::win32 {
namespace {

// Each label comes just before its control: Windows names a control by the label before
// it in tab order.
enum : int { queryLabel = 100, queryText, listLabel, carList, matchCount };

constexpr SIZE client{8400, 6480};
constexpr Placed placed[] = {
    {queryLabel, 120, 120, 8160, 285},  {queryText, 120, 420, 8160, 345},
    {listLabel, 120, 885, 8160, 285},   {carList, 120, 1185, 8160, 4200},
    {matchCount, 120, 5475, 8160, 285}, {IDOK, 4560, 5940, 1800, 420},
    {IDCANCEL, 6480, 5940, 1800, 420},
};
constexpr int columnWidths[] = {5400, 2400};

struct DialogState {
    CarFinder& finder;
    std::optional<std::size_t> chosen;
    HFONT font = nullptr;
};

// The mark follows every keystroke: on the first match, or nowhere.
void search(HWND dialog, CarFinder& finder) {
    HWND text = GetDlgItem(dialog, queryText);
    std::wstring query(static_cast<std::size_t>(GetWindowTextLengthW(text)) + 1, L'\0');
    query.resize(static_cast<std::size_t>(
        GetWindowTextW(text, query.data(), static_cast<int>(query.size()))));
    finder.search(utf8(query));
    HWND list = GetDlgItem(dialog, carList);
    ListView_SetItemCountEx(list, static_cast<int>(finder.rowCount()), 0);
    markRow(list, finder.rowCount() > 0 ? std::optional<std::size_t>(0) : std::nullopt);
    InvalidateRect(list, nullptr, TRUE);
    SetDlgItemTextW(dialog, matchCount, utf16(finder.countText()).c_str());
    EnableWindow(GetDlgItem(dialog, IDOK), finder.rowCount() > 0);
}

// The keys that move the mark go from the text field to the list.
LRESULT CALLBACK queryKeys(HWND text, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR list) {
    if (message == WM_KEYDOWN &&
        (w == VK_UP || w == VK_DOWN || w == VK_PRIOR || w == VK_NEXT)) {
        SendMessageW(reinterpret_cast<HWND>(list), message, w, l);
        return 0;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(text, queryKeys, 0);
    }
    return DefSubclassProc(text, message, w, l);
}

void createControls(HWND dialog, CarFinder& finder) {
    SetWindowTextW(dialog, utf16(texts::CarSearchTitle).c_str());
    makeControl(dialog, L"STATIC", utf16(texts::CarSearchLabel), SS_LEFT, queryLabel);
    HWND text = makeControl(dialog, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP,
                            queryText, WS_EX_CLIENTEDGE);
    makeControl(dialog, L"STATIC", utf16(texts::CarSearchListLabel), SS_LEFT, listLabel);
    HWND list = makeList(dialog, carList);
    addColumns(list, texts::CarSearchColumns, columnWidths);
    makeControl(dialog, L"STATIC", L"", SS_LEFT, matchCount);
    makeControl(dialog, L"BUTTON", utf16(texts::ChooseButton),
                BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, IDOK);
    makeControl(dialog, L"BUTTON", utf16(texts::CancelButton), BS_PUSHBUTTON | WS_TABSTOP,
                IDCANCEL);
    SetWindowSubclass(text, queryKeys, 0, reinterpret_cast<DWORD_PTR>(list));
    search(dialog, finder);
    SetFocus(text);
}

void layOut(HWND dialog, DialogState& state, UINT dpi) {
    placeControls(dialog, placed, client, dpi, state.font);
    setColumnWidths(GetDlgItem(dialog, carList), columnWidths, dpi);
}

void close(HWND dialog, DialogState& state, int button) {
    const auto row = markedRow(GetDlgItem(dialog, carList));
    if (button == IDOK && !row) {
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
        createControls(dialog, state->finder);
        layOut(dialog, *state, GetDpiForWindow(dialog));
        centreOnOwner(dialog);
        return FALSE; // the focus is on the text field already
    case WM_NOTIFY:
        if (const auto* header = reinterpret_cast<NMHDR*>(l); header->idFrom == carList) {
            if (header->code == LVN_GETDISPINFOW) {
                giveText(*reinterpret_cast<NMLVDISPINFOW*>(l),
                         [state](std::size_t row, int column) {
                             return state->finder.cellText(row, column);
                         });
            } else if (header->code == NM_DBLCLK) {
                close(dialog, *state, IDOK);
            }
        }
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(w) == queryText && HIWORD(w) == EN_CHANGE) {
            search(dialog, state->finder);
        } else if (LOWORD(w) == IDOK || LOWORD(w) == IDCANCEL) {
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

std::optional<std::size_t> showCarSearchDialog(HWND owner, CarFinder& finder) {
    DialogState state{finder, std::nullopt};
    runDialog(owner, dialogProcedure, reinterpret_cast<LPARAM>(&state));
    return state.chosen;
}

} // namespace garagon::win32
