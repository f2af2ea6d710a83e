#include "frmVelox.hpp"

#include "dialogs.hpp"
#include "loading.hpp"
#include "messages.hpp"
#include "modVelox.hpp"
#include "replacement.hpp"
#include "result_list_model.hpp"
#include "saving.hpp"
#include "search.hpp"
#include "texts.hpp"
#include "windows1252.hpp"

#include <QComboBox>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QStringListModel>
#include <QTreeView>

namespace garagon {
namespace {

// Catalogue names are Windows-1252 bytes.
QString fromCatalogue(const std::string& bytes) {
    return QString::fromStdString(windows1252ToUtf8(bytes));
}

// Core texts are UTF-8; paths in them are in the system's file name encoding, UTF-8 here.
QString fromCore(const std::string& text) {
    return QString::fromStdString(text);
}

std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// One local file, as a file manager drags it; anything else is not taken.
QString droppedFile(const QMimeData& data) {
    const auto urls = data.urls();
    return urls.size() == 1 && urls.front().isLocalFile() ? urls.front().toLocalFile() : QString{};
}

} // namespace

frmVelox::frmVelox(Dialogs& dialogs, const std::filesystem::path& catalogueFolder)
    : dialogs_(dialogs) {
    buildControls();
    connect(cmdOpen, &QPushButton::clicked, this, &frmVelox::cmdOpen_Click);
    connect(cmdReplace, &QPushButton::clicked, this, &frmVelox::cmdReplace_Click);
    connect(cmdSave, &QPushButton::clicked, this, &frmVelox::cmdSave_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmVelox::cmdExit_Click);
    connect(optShop, &QRadioButton::clicked, this, &frmVelox::optShop_Click);
    connect(optBuyed, &QRadioButton::clicked, this, &frmVelox::optBuyed_Click);
    connect(optMY, &QRadioButton::clicked, this, &frmVelox::optMY_Click);
    Form_Load(catalogueFolder);
}

void frmVelox::Form_Load(const std::filesystem::path& catalogueFolder) {
    Label1->setText(texts::Disclaimer);
    HideColumns();
    const auto report = modVelox::LadeWagenliste(catalogueFolder);
    switch (report.status) {
    case modVelox::CatalogueStatus::NotFound:
        showError(texts::CatalogueNotFound);
        return;
    case modVelox::CatalogueStatus::ReadError:
        showError(texts::CatalogueUnreadable + QStringLiteral("\r\n") +
                  fromCore(messages::reason(report.error)) + QLatin1Char('.'));
        return;
    case modVelox::CatalogueStatus::Read:
        break;
    }
    catalogueFound_ = true;
    codeIndex_ = CodeIndex(std::span(modVelox::Wagen).subspan(1));
    if (!report.problems.empty()) {
        showError(fromCore(report.problems));
    }
    if (modVelox::WagenAnzahl < 1) {
        for (QWidget* control :
             std::initializer_list<QWidget*>{cmbCars, cmdOpen, cmdSave, cmdReplace}) {
            control->setEnabled(false);
        }
        lvCars->setFocus();
        return;
    }
    fillCarChoice();
    cmdOpen->setFocus();
}

void frmVelox::HideColumns() {
    for (int column = 1; column < 4; ++column) {
        lvCars->setColumnWidth(column, 0);
    }
}

void frmVelox::fillCarChoice() {
    QStringList names;
    names.reserve(modVelox::WagenAnzahl);
    for (int a = 1; a <= modVelox::WagenAnzahl; ++a) {
        names.append(fromCatalogue(modVelox::Wagen[static_cast<std::size_t>(a)].Name));
    }
    // One model in one go: no item object and no insertion per car.
    cmbCars->setModel(new QStringListModel(names, cmbCars));
    cmbCars->setCurrentIndex(0);
}

void frmVelox::showInTitle(const QString& inBrackets) {
    setWindowTitle(texts::TitlePrefix + QLatin1Char('[') + inBrackets + QLatin1Char(']'));
}

void frmVelox::showError(const QString& text) {
    dialogs_.showMessage(this, texts::ErrorTitle, text);
}

void frmVelox::cmdOpen_Click() {
    const QString path = dialogs_.chooseSavegame(this);
    if (path.isEmpty()) {
        return; // cancelled: everything stays as it was
    }
    openSavegame(path);
}

void frmVelox::openSavegame(const QString& path) {
    if (!cmdOpen->isEnabled()) {
        return; // without a catalogue nothing can be opened, whichever way
    }
    SpielstandPfad = QFileInfo(path).absoluteFilePath();
    showInTitle(QFileInfo(path).fileName());
    LadeSpielstand();
}

void frmVelox::dragEnterEvent(QDragEnterEvent* event) {
    if (cmdOpen->isEnabled() && !droppedFile(*event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void frmVelox::dropEvent(QDropEvent* event) {
    const QString path = droppedFile(*event->mimeData());
    if (!path.isEmpty()) {
        event->acceptProposedAction();
        openSavegame(path);
    }
}

// The option group is one Tab stop, entered at its checked option, as on the platform
// the window comes from; the arrow keys move within it.
bool frmVelox::focusNextPrevChild(bool next) {
    const auto isOption = [this](const QWidget* widget) {
        return widget == optShop || widget == optBuyed || widget == optMY;
    };
    const bool fromOption = isOption(focusWidget());
    const bool moved = QWidget::focusNextPrevChild(next);
    for (int left = 3; moved && fromOption && isOption(focusWidget()) && left > 0; --left) {
        QWidget::focusNextPrevChild(next);
    }
    if (!fromOption && isOption(focusWidget())) {
        QRadioButton* checked = optBuyed->isChecked() ? optBuyed
                                : optMY->isChecked()  ? optMY
                                                      : optShop;
        checked->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    }
    return moved;
}

void frmVelox::LadeSpielstand() {
    carRows_->clear();
    auto result = loadSavegame(localPath(SpielstandPfad));
    SpielstandDaten = std::move(result.data);
    switch (result.status) {
    case LoadStatus::Loaded:
        AutosSuchen();
        return;
    case LoadStatus::NotFound:
        showError(texts::SavegameNotLoaded);
        break;
    case LoadStatus::NotASavegame:
        showError(texts::NotASavegame);
        break;
    case LoadStatus::ReadError:
        showInTitle(texts::NoSavegame);
        break;
    }
    cmdReplace->setEnabled(false);
    cmdSave->setEnabled(false);
}

void frmVelox::AutosSuchen() {
    const auto cars = std::span(modVelox::Wagen).subspan(1);
    const auto category = categoryFor(optBuyed->isChecked(), optMY->isChecked());
    carRows_->setRows(
        resultRows(SpielstandDaten, cars, findRecords(SpielstandDaten, codeIndex_, category)));
    if (carRows_->rowCount() == 0) {
        cmdReplace->setEnabled(false);
        return;
    }
    lvCars->setCurrentIndex(carRows_->index(0, 0));
    cmdReplace->setEnabled(true);
}

void frmVelox::searchAgain() {
    carRows_->clear();
    AutosSuchen();
}

int frmVelox::firstMarkedRow() const {
    for (int row = 0; row < carRows_->rowCount(); ++row) {
        if (lvCars->selectionModel()->isRowSelected(row)) {
            return row;
        }
    }
    return -1;
}

QString frmVelox::cellText(int row, int column) const {
    return carRows_->index(row, column).data().toString();
}

void frmVelox::cmdReplace_Click() {
    const int marked = firstMarkedRow();
    if (marked < 0 || cellText(marked, 0).isEmpty()) {
        showError(texts::NoCarToReplace);
        return;
    }
    bool isNumber = false;
    const auto position = cellText(marked, 2).toULongLong(&isNumber);
    const int k = cmbCars->currentIndex();
    if (!isNumber || k < 0) {
        showError(texts::NoNewCar);
        return;
    }
    const auto& code = modVelox::Wagen[static_cast<std::size_t>(k) + 1].Kennung;
    switch (replaceCode(SpielstandDaten, position, code)) {
    case ReplaceStatus::WrongLength:
        showError(fromCore(messages::WrongCodeLength));
        return;
    case ReplaceStatus::InvalidPosition:
        showError(texts::NoNewCar);
        return;
    case ReplaceStatus::Replaced:
        searchAgain();
        cmdSave->setEnabled(true);
        return;
    }
}

void frmVelox::cmdSave_Click() {
    cmdSave->setEnabled(false);
    const auto result = saveSavegame(localPath(SpielstandPfad), SpielstandDaten);
    dialogs_.showMessage(this, fromCore(result.title), fromCore(result.text));
    if (!result.saved) {
        cmdSave->setEnabled(true); // nothing was written: the changes can be saved again
    }
}

void frmVelox::cmdExit_Click() {
    close();
}

void frmVelox::optShop_Click() {
    searchAgain();
}
void frmVelox::optBuyed_Click() {
    searchAgain();
}
void frmVelox::optMY_Click() {
    searchAgain();
}

} // namespace garagon
