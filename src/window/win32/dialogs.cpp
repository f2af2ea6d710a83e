#include "dialogs.hpp"

#include "texts.hpp"
#include "utf16.hpp"

#include "window_rules.hpp"

#include <commctrl.h>
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

SaveAnswer askSaveQuestion(HWND owner, const std::wstring& title, const std::wstring& text) {
    constexpr int saveId = 100;
    constexpr int dontSaveId = 101;
    const std::wstring captions[] = {utf16(texts::SaveButton), utf16(texts::DontSaveButton),
                                     utf16(texts::CancelButton)};
    const TASKDIALOG_BUTTON buttons[] = {{saveId, captions[0].c_str()},
                                         {dontSaveId, captions[1].c_str()},
                                         {IDCANCEL, captions[2].c_str()}};
    TASKDIALOGCONFIG question{};
    question.cbSize = sizeof question;
    question.hwndParent = owner;
    question.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW;
    question.pszWindowTitle = title.c_str();
    question.pszMainIcon = TD_WARNING_ICON;
    question.pszContent = text.c_str();
    question.cButtons = static_cast<UINT>(std::size(buttons));
    question.pButtons = buttons;
    question.nDefaultButton = saveId;
    int chosen = IDCANCEL;
    if (FAILED(TaskDialogIndirect(&question, &chosen, nullptr, nullptr))) {
        return SaveAnswer::Cancel; // nothing was asked: nothing goes
    }
    return chosen == saveId       ? SaveAnswer::Save
           : chosen == dontSaveId ? SaveAnswer::DontSave
                                  : SaveAnswer::Cancel;
}

} // namespace garagon::win32
