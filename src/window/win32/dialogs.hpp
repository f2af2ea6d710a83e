#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <windows.h>

namespace garagon {
enum class SaveAnswer;
}

namespace garagon::win32 {

// The system's open dialog "Tarvo Spielstand laden", opened in lastFolder, which it then
// sets to the chosen file's folder: the chosen file's full path, or nothing when it was
// cancelled.
std::optional<std::filesystem::path> chooseFile(HWND owner, std::wstring& lastFolder);
// A message box with the information icon and one OK button.
void showMessageBox(HWND owner, const std::wstring& title, const std::wstring& text);
// The question before unsaved replacements are dropped, as a task dialog, whose buttons
// carry German texts whatever the system's language: "Speichern" (the default), "Nicht
// speichern" and "Abbrechen", with the warning icon; Escape cancels.
SaveAnswer askSaveQuestion(HWND owner, const std::wstring& title, const std::wstring& text);

} // namespace garagon::win32
