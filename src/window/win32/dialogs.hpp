#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <windows.h>

namespace garagon::win32 {

// The system's open dialog "Tarvo Spielstand laden", opened in lastFolder, which it then
// sets to the chosen file's folder: the chosen file's full path, or nothing when it was
// cancelled.
std::optional<std::filesystem::path> chooseFile(HWND owner, std::wstring& lastFolder);
// A message box with the information icon and one OK button.
void showMessageBox(HWND owner, const std::wstring& title, const std::wstring& text);

} // namespace garagon::win32
