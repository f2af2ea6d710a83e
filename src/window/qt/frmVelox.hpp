#pragma once

#include "widget_controls.hpp"
#include "window_rules.hpp"

#include <QWidget>
#include <filesystem>

class QMenu;
class QSessionManager;

namespace garagon {

// The program's one window: the car list of a savegame, the catalogue selector and the
// buttons to open, replace, save and end. It draws what its rules decide, and its modal
// dialogs are the rules' port.
class frmVelox : public QWidget, public WindowPort, public WidgetControls {
    Q_OBJECT

  public:
    frmVelox();

    // Takes the catalogue. False when Cardata.txt was missing: its message has been shown,
    // and the program ends without showing the window.
    bool Form_Load(LoadedCatalogue catalogue) { return rules_.Form_Load(std::move(catalogue)); }

    // Opens the savegame as if it had been chosen in the file dialog: from the command
    // line, or dropped onto the window.
    void openSavegame(const QString& path);

    std::optional<std::filesystem::path> chooseSavegame() override;
    void showMessage(const std::string& title, const std::string& text) override;
    std::optional<std::size_t> chooseRow(ListDialog& dialog) override;
    SaveAnswer askToSave(const std::string& title, const std::string& text) override;
    void setTitle(const std::string& title) override;
    void showCommand(Command command, bool offered, const std::string& caption) override;
    void showContextMenu() override;
    void closeWindow() override { close(); }

  protected:
    // The exit button, the close box and Alt+F4 all come here.
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool focusNextPrevChild(bool next) override;

  private:
    void buildControls();
    void placeInFrames();
    void chainTabOrder();
    void buildContextMenu();
    void showContextMenu(const QPoint& where);
    void commitData(QSessionManager& session);
    bool isOption(const QWidget* widget) const;

    WindowRules rules_{*this};
    QString lastFolder_; // empty at first: the file dialog opens where the system puts it

    // Commands beyond the buttons, on a right-click, Shift+F10 or the menu key.
    QMenu* contextMenu_ = nullptr;
};

} // namespace garagon
