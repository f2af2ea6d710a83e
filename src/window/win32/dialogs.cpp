#include "dialogs.hpp"

#include "backups_dialog.hpp"
#include "car_search_dialog.hpp"

#include <commdlg.h>
#include <vector>

namespace garagon::win32 {

std::optional<std::filesystem::path> SystemDialogs::chooseSavegame(HWND owner) {
    std::vector<wchar_t> file(32768, L'\0'); // room for long paths
    OPENFILENAMEW comDia{};
    comDia.lStructSize = sizeof comDia;
    comDia.hwndOwner = owner;
    comDia.lpstrFile = file.data();
    comDia.nMaxFile = static_cast<DWORD>(file.size());
    comDia.lpstrTitle = L"Tarvo Spielstand laden";
    comDia.lpstrInitialDir = lastFolder_.empty() ? nullptr : lastFolder_.c_str();
    comDia.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                   OFN_NOCHANGEDIR | OFN_LONGNAMES;
    if (!GetOpenFileNameW(&comDia)) {
        return std::nullopt;
    }
    const std::filesystem::path chosen(file.data());
    lastFolder_ = chosen.parent_path().native();
    return chosen;
}

void SystemDialogs::showMessage(HWND owner, const std::wstring& title, const std::wstring& text) {
    MessageBoxW(owner, text.c_str(), title.c_str(), MB_OK | MB_ICONINFORMATION);
}

std::optional<std::size_t> SystemDialogs::chooseBackup(HWND owner, const BackupChoice& choice) {
    return showBackupsDialog(owner, choice);
}

std::optional<std::size_t> SystemDialogs::chooseCar(HWND owner, CarFinder& finder) {
    return showCarSearchDialog(owner, finder);
}

} // namespace garagon::win32
