#include "dialogs.hpp"

#include "texts.hpp"
#include "utf16.hpp"

#include <commdlg.h>
#include <vector>

namespace garagon::win32 {

std::optional<std::filesystem::path> chooseFile(HWND owner, std::wstring& lastFolder) {
    std::vector<wchar_t> file(32768, L'\0'); // room for long paths
    const std::wstring title = utf16(texts::OpenDialogTitle);
    OPENFILENAMEW comDia{};
    comDia.lStructSize = sizeof comDia;
    comDia.hwndOwner = owner;
    comDia.lpstrFile = file.data();
    comDia.nMaxFile = static_cast<DWORD>(file.size());
    comDia.lpstrTitle = title.c_str();
    comDia.lpstrInitialDir = lastFolder.empty() ? nullptr : lastFolder.c_str();
    comDia.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                   OFN_NOCHANGEDIR | OFN_LONGNAMES;
    if (!GetOpenFileNameW(&comDia)) {
        return std::nullopt;
    }
    const std::filesystem::path chosen(file.data());
    lastFolder = chosen.parent_path().native();
    return chosen;
}

void showMessageBox(HWND owner, const std::wstring& title, const std::wstring& text) {
    MessageBoxW(owner, text.c_str(), title.c_str(), MB_OK | MB_ICONINFORMATION);
}

} // namespace garagon::win32
