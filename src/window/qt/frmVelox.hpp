#pragma once

#include "window_rules.hpp"

#include <QWidget>
#include <filesystem>
#include <future>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QTreeView;

namespace garagon {

class Dialogs;
class ResultListModel;

// The program's one window: the car list of a savegame, the catalogue selector and the
// buttons to open, replace, save and end. It shows what its rules decide.
class frmVelox : public QWidget, private WindowPort {
    Q_OBJECT

  public:
    // Takes the catalogue, read meanwhile, when it loads while the window is being created.
    frmVelox(Dialogs& dialogs, std::future<LoadedCatalogue> catalogue);

    // False when Cardata.txt was missing: the program then ends without showing the window.
    bool catalogueFound() const { return catalogueFound_; }

    // Opens the savegame as if it had been chosen in the file dialog: from the command
    // line, or dropped onto the window.
    void openSavegame(const QString& path);

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool focusNextPrevChild(bool next) override;

  private:
    void buildControls();
    void chainTabOrder();
    void Form_Load(LoadedCatalogue catalogue);
    void HideColumns();
    void fillCarChoice();
    void cmdReplace_Click();
    void findCar();
    void buildContextMenu();
    void showContextMenu(const QPoint& where);
    std::optional<std::size_t> firstMarkedRow() const;

    std::optional<std::filesystem::path> chooseSavegame() override;
    void showMessage(const std::string& title, const std::string& text) override;
    std::optional<std::size_t> chooseBackup(const BackupChoice& choice) override;
    std::optional<std::size_t> chooseCar(CarFinder& finder) override;
    void refresh() override;

    Dialogs& dialogs_;
    WindowRules rules_{*this};
    bool catalogueFound_ = false;
    std::uint64_t listShown_ = 0;

    QGroupBox* Frame1 = nullptr;
    QTreeView* lvCars = nullptr;
    ResultListModel* carRows_ = nullptr;
    QRadioButton* optShop = nullptr;
    QRadioButton* optBuyed = nullptr;
    QRadioButton* optMY = nullptr;
    QPushButton* cmdOpen = nullptr;
    QGroupBox* Frame2 = nullptr;
    QComboBox* cmbCars = nullptr;
    QPushButton* cmdReplace = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdExit = nullptr;

    // Commands beyond the buttons, on a right-click, Shift+F10 or the menu key.
    QMenu* contextMenu_ = nullptr;
    QAction* backupsCommand_ = nullptr;
    QAction* carSearchCommand_ = nullptr;
};

} // namespace garagon
