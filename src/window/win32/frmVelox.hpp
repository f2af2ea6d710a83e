#pragma once

#include "dialog_frame.hpp"
#include "handle_controls.hpp"
#include "window_rules.hpp"

#include <filesystem>
#include <windows.h>

#include <commctrl.h>

namespace garagon::win32 {

// How the window tells Windows why the session's end waits; tests put their own in, since
// Wine only stubs it.
struct SessionBlock {
    BOOL(WINAPI* create)(HWND, LPCWSTR) = ShutdownBlockReasonCreate;
    BOOL(WINAPI* destroy)(HWND) = ShutdownBlockReasonDestroy;
};

// The program's one window on Windows, made of the system's own controls: the car list
// of a savegame, the catalogue selector and the buttons to open, replace, save and end.
// It draws what its rules decide, and its modal dialogs are the rules' port.
class frmVelox : public WindowPort, public HandleControls {
  public:
    // Creates the window, not yet shown.
    explicit frmVelox(SessionBlock sessionBlock = {});
    ~frmVelox() override;
    frmVelox(const frmVelox&) = delete;
    frmVelox& operator=(const frmVelox&) = delete;

    // Takes the catalogue. False when Cardata.txt was missing: its message has been shown,
    // and the program ends without showing the window.
    bool Form_Load(LoadedCatalogue catalogue) { return rules_.Form_Load(std::move(catalogue)); }
    HWND handle() const { return window_; }
    HWND control(Control which) const { return handleOf(id(which)); }
    HMENU contextMenu() const { return contextMenu_; }

    // Opens the savegame as if it had been chosen in the file dialog: from the command
    // line, or dropped onto the window.
    void openSavegame(const std::filesystem::path& path) { rules_.openSavegame(path); }

    // Takes the declared shortcuts wherever the focus is in the window; true when the key
    // was one of them, taken before the dialog keys.
    bool takesShortcut(const MSG& message);

    std::optional<std::filesystem::path> chooseSavegame() override;
    void showMessage(const std::string& title, const std::string& text) override;
    std::optional<std::size_t> chooseRow(ListDialog& dialog) override;
    SaveAnswer askToSave(const std::string& title, const std::string& text) override;
    void setTitle(const std::string& title) override;
    void showCommand(Command command, bool offered, const std::string& caption) override;
    void showContextMenu() override;
    void closeWindow() override;

  private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT handle(UINT message, WPARAM w, LPARAM l);
    LRESULT onDropFiles(HDROP drop);
    bool sessionMayEnd();
    LRESULT sessionEnds(bool ends);
    void addCommands();
    bool runCommand(UINT id);
    LRESULT showContextMenu(HWND at, LPARAM where);
    LRESULT keepFocus(bool active);

    WindowRules rules_{*this};
    HWND focused_ = nullptr; // the control that had the focus when the window was left
    HMENU contextMenu_ = nullptr;
    std::wstring lastFolder_; // empty at first: the file dialog opens where the system puts it
    std::wstring dropped_;    // opened once the drop has completed
    SessionBlock sessionBlock_;
};

} // namespace garagon::win32
