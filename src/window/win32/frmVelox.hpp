#pragma once

#include "layout.hpp"
#include "window_rules.hpp"

#include <filesystem>
#include <future>
#include <windows.h>

#include <commctrl.h>

namespace garagon::win32 {

class Dialogs;

// The program's one window on Windows, made of the system's own controls: the car list
// of a savegame, the catalogue selector and the buttons to open, replace, save and end.
// It shows what its rules decide.
class frmVelox : private WindowPort {
  public:
    // Creates the window, not yet shown, and loads the catalogue, read meanwhile.
    frmVelox(Dialogs& dialogs, std::future<LoadedCatalogue> catalogue);
    ~frmVelox() override;
    frmVelox(const frmVelox&) = delete;
    frmVelox& operator=(const frmVelox&) = delete;

    // False when Cardata.txt was missing: the program then ends without showing the window.
    bool catalogueFound() const { return catalogueFound_; }
    HWND handle() const { return window_; }
    HWND control(ControlId id) const { return GetDlgItem(window_, id); }

    // Opens the savegame as if it had been chosen in the file dialog: from the command
    // line, or dropped onto the window.
    void openSavegame(const std::filesystem::path& path) { rules_.openSavegame(path); }

    // The ids of "Sicherungen…" and "Wagen suchen…" in the system menu and the context menu.
    static constexpr UINT backupsCommand = 0x0200;
    static constexpr UINT carSearchCommand = 0x0210;
    HMENU contextMenu() const { return contextMenu_; }

    // Shift+F10 and the menu key open the context menu, and Ctrl+F the search, wherever
    // the focus is in the window; true when the key was one of them, taken before the
    // dialog keys.
    bool takesShortcut(const MSG& message);

  private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT handle(UINT message, WPARAM w, LPARAM l);
    void createControls();
    void layOut(UINT dpi);
    void Form_Load(LoadedCatalogue catalogue);
    void HideColumns();
    void fillCarChoice();
    void onCommand(int id, int code);
    void onDropFiles(HDROP drop);
    void addCommands();
    void showContextMenu(HWND at, LPARAM where);
    void keepFocus(bool active);
    HWND controlOf(Control control) const;

    std::optional<std::filesystem::path> chooseSavegame() override;
    void showMessage(const std::string& title, const std::string& text) override;
    std::optional<std::size_t> chooseBackup(const BackupChoice& choice) override;
    std::optional<std::size_t> chooseCar(CarFinder& finder) override;
    void findCar();
    void runCommand(UINT command);
    void refresh() override;

    Dialogs& dialogs_;
    WindowRules rules_{*this};
    bool catalogueFound_ = false;
    std::uint64_t listShown_ = 0;
    HWND window_ = nullptr;
    HWND focused_ = nullptr; // the control that had the focus when the window was left
    HFONT regular_ = nullptr;
    HFONT bold_ = nullptr;
    HMENU contextMenu_ = nullptr;
};

} // namespace garagon::win32
