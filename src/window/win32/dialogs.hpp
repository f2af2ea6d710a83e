#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <windows.h>

namespace garagon {
class BackupChoice;
class CarFinder;
} // namespace garagon

namespace garagon::win32 {

// The modal dialogs of the window, replaceable in tests.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // The chosen file's full path; nothing when the dialog was cancelled.
    virtual std::optional<std::filesystem::path> chooseSavegame(HWND owner) = 0;
    // A modal message with the information icon and one OK button.
    virtual void showMessage(HWND owner, const std::wstring& title, const std::wstring& text) = 0;
    // The dialog of a savegame's backups: the row to restore, or nothing when closed.
    virtual std::optional<std::size_t> chooseBackup(HWND owner, const BackupChoice& choice) = 0;
    // The dialog "Wagen suchen": the row chosen, or nothing when it was cancelled.
    virtual std::optional<std::size_t> chooseCar(HWND owner, CarFinder& finder) = 0;
};

// The system's own open dialog and message boxes.
class SystemDialogs : public Dialogs {
  public:
    std::optional<std::filesystem::path> chooseSavegame(HWND owner) override;
    void showMessage(HWND owner, const std::wstring& title, const std::wstring& text) override;
    std::optional<std::size_t> chooseBackup(HWND owner, const BackupChoice& choice) override;
    std::optional<std::size_t> chooseCar(HWND owner, CarFinder& finder) override;

  private:
    std::wstring lastFolder_; // empty at first: the dialog opens where the system puts it
};

} // namespace garagon::win32
