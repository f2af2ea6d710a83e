#include "frmVelox.hpp"

#include "dialogs.hpp"
#include "result_list_model.hpp"
#include "texts.hpp"
#include "windows1252.hpp"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStringListModel>
#include <QTreeView>
#include <utility>

namespace garagon {
namespace {

// Paths are in the system's file name encoding, UTF-8 here.
std::filesystem::path localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// One local file, as a file manager drags it; anything else is not taken.
QString droppedFile(const QMimeData& data) {
    const auto urls = data.urls();
    return urls.size() == 1 && urls.front().isLocalFile() ? urls.front().toLocalFile() : QString{};
}

} // namespace

frmVelox::frmVelox(Dialogs& dialogs, std::future<LoadedCatalogue> catalogue) : dialogs_(dialogs) {
    buildControls();
    connect(cmdOpen, &QPushButton::clicked, this, [this] { rules_.cmdOpen_Click(); });
    connect(cmdReplace, &QPushButton::clicked, this, &frmVelox::cmdReplace_Click);
    connect(cmdSave, &QPushButton::clicked, this, [this] { rules_.cmdSave_Click(); });
    connect(cmdExit, &QPushButton::clicked, this, &QWidget::close);
    connect(optShop, &QRadioButton::clicked, this, [this] { rules_.optShop_Click(); });
    connect(optBuyed, &QRadioButton::clicked, this, [this] { rules_.optBuyed_Click(); });
    connect(optMY, &QRadioButton::clicked, this, [this] { rules_.optMY_Click(); });
    buildContextMenu();
    Form_Load(catalogue.get());
}

void frmVelox::buildContextMenu() {
    contextMenu_ = new QMenu(this);
    contextMenu_->setObjectName(QStringLiteral("contextMenu"));
    backupsCommand_ = contextMenu_->addAction(QString::fromUtf8(texts::BackupsCommand));
    connect(backupsCommand_, &QAction::triggered, this, [this] { rules_.showBackups(); });
    carSearchCommand_ = contextMenu_->addAction(QString::fromUtf8(texts::CarSearchCommand));
    // Shown in the menu; the window's own shortcut below does the work, so that the two
    // never compete for the key.
    carSearchCommand_->setShortcut(QKeySequence::Find);
    carSearchCommand_->setShortcutContext(Qt::WidgetShortcut);
    connect(carSearchCommand_, &QAction::triggered, this, &frmVelox::findCar);
    // Ctrl+F wherever the focus is in the window, the menu open or not.
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this,
            &frmVelox::findCar);
    // From the keyboard wherever the focus is; the menu opens below the focused control.
    for (const QKeySequence& keys :
         {QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)}) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, [this] {
            const QWidget* focus = focusWidget() != nullptr ? focusWidget() : this;
            showContextMenu(focus->mapToGlobal(QPoint(0, focus->height())));
        });
    }
}

void frmVelox::contextMenuEvent(QContextMenuEvent* event) {
    showContextMenu(event->globalPos());
}

void frmVelox::showContextMenu(const QPoint& where) {
    backupsCommand_->setEnabled(rules_.backupsOffered());
    carSearchCommand_->setEnabled(rules_.carSearchOffered());
    contextMenu_->popup(where);
}

void frmVelox::Form_Load(LoadedCatalogue catalogue) {
    Label1->setText(QString::fromUtf8(texts::Disclaimer));
    HideColumns();
    catalogueFound_ = rules_.Form_Load(std::move(catalogue));
    if (!catalogueFound_) {
        return;
    }
    fillCarChoice();
    const Control first = rules_.focusFrom(Control::cmdOpen);
    (first == Control::cmdOpen ? static_cast<QWidget*>(cmdOpen) : lvCars)->setFocus();
}

void frmVelox::HideColumns() {
    for (int column = 1; column < 4; ++column) {
        lvCars->setColumnWidth(column, 0);
    }
}

void frmVelox::fillCarChoice() {
    QStringList names;
    names.reserve(static_cast<qsizetype>(rules_.cars().size()));
    std::u16string name;
    for (const auto& car : rules_.cars()) {
        windows1252ToUtf16(car.Name, name);
        names.append(QString(reinterpret_cast<const QChar*>(name.data()),
                             static_cast<qsizetype>(name.size())));
    }
    // One model in one go: no item object and no insertion per car.
    cmbCars->setModel(new QStringListModel(names, cmbCars));
    cmbCars->setCurrentIndex(rules_.firstChosenCar());
}

void frmVelox::openSavegame(const QString& path) {
    rules_.openSavegame(localPath(path));
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

std::optional<std::size_t> frmVelox::firstMarkedRow() const {
    const auto marked = lvCars->selectionModel()->selectedRows();
    if (marked.isEmpty()) {
        return std::nullopt;
    }
    const auto first =
        std::min_element(marked.begin(), marked.end(),
                         [](const auto& a, const auto& b) { return a.row() < b.row(); });
    return static_cast<std::size_t>(first->row());
}

void frmVelox::findCar() {
    const auto choice = rules_.findCar();
    if (!choice) {
        return;
    }
    cmbCars->setCurrentIndex(choice->entry);
    (choice->focus == Control::cmdReplace ? static_cast<QWidget*>(cmdReplace) : cmbCars)
        ->setFocus();
}

void frmVelox::cmdReplace_Click() {
    rules_.cmdReplace_Click(firstMarkedRow(), cmbCars->currentIndex());
}

std::optional<std::filesystem::path> frmVelox::chooseSavegame() {
    const QString path = dialogs_.chooseSavegame(this);
    return path.isEmpty() ? std::nullopt : std::optional(localPath(path));
}

void frmVelox::showMessage(const std::string& title, const std::string& text) {
    dialogs_.showMessage(this, QString::fromStdString(title), QString::fromStdString(text));
}

std::optional<std::size_t> frmVelox::chooseBackup(const BackupChoice& choice) {
    return dialogs_.chooseBackup(this, choice);
}

std::optional<std::size_t> frmVelox::chooseCar(CarFinder& finder) {
    return dialogs_.chooseCar(this, finder);
}

void frmVelox::refresh() {
    setWindowTitle(QString::fromStdString(rules_.title()));
    cmdOpen->setEnabled(rules_.isEnabled(Control::cmdOpen));
    cmbCars->setEnabled(rules_.isEnabled(Control::cmbCars));
    cmdReplace->setEnabled(rules_.isEnabled(Control::cmdReplace));
    cmdSave->setEnabled(rules_.isEnabled(Control::cmdSave));
    if (listShown_ == rules_.listNumber()) {
        return;
    }
    listShown_ = rules_.listNumber();
    carRows_->showRows(static_cast<int>(rules_.rowCount()));
    if (carRows_->rowCount() > 0) {
        lvCars->setCurrentIndex(carRows_->index(0, 0));
    }
}

} // namespace garagon
