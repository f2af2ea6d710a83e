#include "car_search_dialog.hpp"

#include "car_finder.hpp"
#include "dialog_frame.hpp"
#include "list_dialog.hpp"
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

// The keys that move the mark go from the text field to the list.
LRESULT CALLBACK queryKeys(HWND text, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR list) {
    if (message == WM_KEYDOWN && (w == VK_UP || w == VK_DOWN || w == VK_PRIOR || w == VK_NEXT)) {
        SendMessageW(reinterpret_cast<HWND>(list), message, w, l);
        return 0;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(text, queryKeys, 0);
    }
    return DefSubclassProc(text, message, w, l);
}

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

struct SearchState {
    static constexpr int listId = carList;
    CarFinder& finder;
    std::optional<std::size_t> chosen;
    HFONT font = nullptr;

    void create(HWND dialog) const {
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
    void layOut(HWND dialog, UINT dpi) {
        placeControls(dialog, placed, client, dpi, font);
        setColumnWidths(GetDlgItem(dialog, carList), columnWidths, dpi);
    }
    std::string cellText(std::size_t row, int column) const { return finder.cellText(row, column); }
    bool accepts(std::optional<std::size_t> row) const { return row.has_value(); }
    void command(HWND dialog, WORD id, WORD code) const {
        if (id == queryText && code == EN_CHANGE) {
            search(dialog, finder);
        }
    }
};

} // namespace

std::optional<std::size_t> showCarSearchDialog(HWND owner, CarFinder& finder) {
    return runListDialog(owner, SearchState{finder, std::nullopt});
}

} // namespace garagon::win32
