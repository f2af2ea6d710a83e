#include "backups_dialog.hpp"

#include "backup_choice.hpp"
#include "dialog_frame.hpp"
#include "layout.hpp"
#include "list_dialog.hpp"
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

struct BackupsState {
    static constexpr int listId = backupList;
    const BackupChoice& choice;
    std::optional<std::size_t> chosen;
    HFONT font = nullptr;

    void create(HWND dialog) const {
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
    void layOut(HWND dialog, UINT dpi) {
        placeControls(dialog, placed, client, dpi, font);
        setColumnWidths(GetDlgItem(dialog, backupList), columnWidths, dpi);
    }
    std::string cellText(std::size_t row, int column) const { return choice.cellText(row, column); }
    bool accepts(std::optional<std::size_t> row) const { return choice.restores(row); }
    void command(HWND, WORD, WORD) const {}
};

} // namespace

std::optional<std::size_t> showBackupsDialog(HWND owner, const BackupChoice& choice) {
    return runListDialog(owner, BackupsState{choice, std::nullopt});
}

} // namespace garagon::win32
