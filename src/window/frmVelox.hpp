#pragma once

#include "bytes.hpp"
#include "code_index.hpp"

#include <QWidget>
#include <filesystem>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTreeView;

namespace garagon {

class Dialogs;
class ResultListModel;

// The program's one window: the car list of a savegame, the catalogue selector and the
// buttons to open, replace, save and end.
class frmVelox : public QWidget {
    Q_OBJECT

  public:
    // Loads the catalogue from the given folder while the window is being created.
    frmVelox(Dialogs& dialogs, const std::filesystem::path& catalogueFolder);

    // False when Cardata.txt was missing: the program then ends without showing the window.
    bool catalogueFound() const { return catalogueFound_; }

    // Opens the savegame as if it had been chosen in the file dialog: from the command
    // line, or dropped onto the window.
    void openSavegame(const QString& path);

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool focusNextPrevChild(bool next) override;

  private:
    void buildControls();
    void chainTabOrder();
    void Form_Load(const std::filesystem::path& catalogueFolder);
    void HideColumns();
    void fillCarChoice();

    void cmdOpen_Click();
    void cmdReplace_Click();
    void cmdSave_Click();
    void cmdExit_Click();
    void optShop_Click();
    void optBuyed_Click();
    void optMY_Click();

    void LadeSpielstand();
    void AutosSuchen();
    void searchAgain();
    int firstMarkedRow() const; // -1 when no row is marked
    QString cellText(int row, int column) const;
    void showInTitle(const QString& inBrackets);
    void showError(const QString& text);

    Dialogs& dialogs_;
    bool catalogueFound_ = false;
    QString SpielstandPfad;
    Bytes SpielstandDaten;
    CodeIndex codeIndex_{{}};

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
};

} // namespace garagon
