#include "frmVelox.hpp"

#include "dialogs.hpp"
#include "keys.hpp"
#include "texts.hpp"
#include "windows1252.hpp"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QRadioButton>
#include <QSessionManager>
#include <QShortcut>
#include <QStringListModel>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
#include <iterator>
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

frmVelox::frmVelox() {
    buildControls();
    buildContextMenu();
    connect(qApp, &QGuiApplication::commitDataRequest, this, &frmVelox::commitData);
}

// The session manager asks before the session ends, on X11; Qt is not asked on Wayland.
void frmVelox::commitData(QSessionManager& session) {
    if (!rules_.sessionEndWaitsFor()) {
        return;
    }
    const bool ends = session.allowsInteraction() && rules_.mayEndSession();
    session.release();
    if (!ends) {
        session.cancel();
    }
}

void frmVelox::closeEvent(QCloseEvent* event) {
    if (rules_.mayDropChanges()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void frmVelox::buildContextMenu() {
    contextMenu_ = new QMenu(this);
    contextMenu_->setObjectName(QStringLiteral("contextMenu"));
    for (const auto& [command, caption] : menuEntries) {
        QAction* action = contextMenu_->addAction(QString::fromUtf8(caption));
        connect(action, &QAction::triggered, this, [this, command] { rules_.run(command); });
        // Shown in the menu; the window's own shortcut does the work, so that the two
        // never compete for the key.
        const auto shortcut = std::ranges::find(shortcuts, command, &Shortcut::command);
        if (shortcut != std::end(shortcuts)) {
            action->setShortcut(keySequence(*shortcut));
            action->setShortcutContext(Qt::WidgetShortcut);
        }
    }
    // Wherever the focus is in the window, the menu open or not.
    for (const Shortcut& shortcut : shortcuts) {
        connect(new QShortcut(keySequence(shortcut), this), &QShortcut::activated, this,
                [this, command = shortcut.command] { rules_.run(command); });
    }
}

// From the keyboard the menu opens below the focused control.
void frmVelox::showContextMenu() {
    const QWidget* focus = focusWidget() != nullptr ? focusWidget() : this;
    showContextMenu(focus->mapToGlobal(QPoint(0, focus->height())));
}

void frmVelox::contextMenuEvent(QContextMenuEvent* event) {
    showContextMenu(event->globalPos());
}

void frmVelox::showContextMenu(const QPoint& where) {
    const auto actions = contextMenu_->actions(); // the entries, in their order
    for (std::size_t entry = 0; entry < std::size(menuEntries); ++entry) {
        QAction* action = actions[static_cast<qsizetype>(entry)];
        action->setEnabled(rules_.offered(menuEntries[entry].command));
        action->setText(QString::fromStdString(rules_.caption(menuEntries[entry].command)));
    }
    contextMenu_->popup(where);
}

bool frmVelox::Form_Load(LoadedCatalogue catalogue) {
    static_cast<QLabel*>(widget(Control::Label1))->setText(QString::fromUtf8(texts::Disclaimer));
    HideColumns();
    if (!rules_.Form_Load(std::move(catalogue))) {
        return false;
    }
    fillCarChoice();
    widget(rules_.focusFrom(Control::cmdOpen))->setFocus();
    return true;
}

// The columns that the list hides keep their data, at width 0.
void frmVelox::HideColumns() {
    auto* list = static_cast<QTreeView*>(widget(Control::lvCars));
    for (std::size_t column = 0; column < window_layout::columns.size(); ++column) {
        if (!window_layout::columns[column].visible) {
            list->setColumnWidth(static_cast<int>(column), 0);
        }
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
    auto* selector = static_cast<QComboBox*>(widget(Control::cmbCars));
    selector->setModel(new QStringListModel(names, selector));
    selector->setCurrentIndex(rules_.firstChosenCar());
}

void frmVelox::openSavegame(const QString& path) {
    rules_.openSavegame(localPath(path));
}

void frmVelox::dragEnterEvent(QDragEnterEvent* event) {
    if (widget(Control::cmdOpen)->isEnabled() && !droppedFile(*event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

// Opened once the drop has completed: a question about unsaved replacements must not hold
// the program that the file came from.
void frmVelox::dropEvent(QDropEvent* event) {
    const QString path = droppedFile(*event->mimeData());
    if (!path.isEmpty()) {
        event->acceptProposedAction();
        QTimer::singleShot(0, this, [this, path] { openSavegame(path); });
    }
}

bool frmVelox::isOption(const QWidget* candidate) const {
    return std::ranges::any_of(window_layout::controls, [&](const ControlLayout& placed) {
        return placed.kind == ControlKind::Option && widget(placed.control) == candidate;
    });
}

// The option group is one Tab stop, entered at its checked option, as on the platform
// the window comes from; the arrow keys move within it.
bool frmVelox::focusNextPrevChild(bool next) {
    const bool fromOption = isOption(focusWidget());
    const bool moved = QWidget::focusNextPrevChild(next);
    for (int left = 3; moved && fromOption && isOption(focusWidget()) && left > 0; --left) {
        QWidget::focusNextPrevChild(next);
    }
    if (!fromOption && isOption(focusWidget())) {
        widget(rules_.checkedOption())
            ->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    }
    return moved;
}

std::optional<std::size_t> frmVelox::firstMarkedRow() const {
    const auto marked =
        static_cast<QTreeView*>(widget(Control::lvCars))->selectionModel()->selectedRows();
    if (marked.isEmpty()) {
        return std::nullopt;
    }
    const auto first =
        std::min_element(marked.begin(), marked.end(),
                         [](const auto& a, const auto& b) { return a.row() < b.row(); });
    return static_cast<std::size_t>(first->row());
}

void frmVelox::showCarChoice(const CarChoice& choice) {
    static_cast<QComboBox*>(widget(Control::cmbCars))->setCurrentIndex(choice.entry);
    widget(choice.focus)->setFocus();
}

void frmVelox::onClick(Control control) {
    switch (control) {
    case Control::cmdReplace:
        return rules_.cmdReplace_Click(
            firstMarkedRow(), static_cast<QComboBox*>(widget(Control::cmbCars))->currentIndex());
    case Control::cmdExit:
        close();
        return;
    default:
        return rules_.click(control);
    }
}

std::optional<std::filesystem::path> frmVelox::chooseSavegame() {
    const QString path = chooseFile(this, lastFolder_);
    return path.isEmpty() ? std::nullopt : std::optional(localPath(path));
}

void frmVelox::showMessage(const std::string& title, const std::string& text) {
    showMessageBox(this, QString::fromStdString(title), QString::fromStdString(text));
}

std::optional<std::size_t> frmVelox::chooseRow(ListDialog& dialog) {
    return chooseFromList(this, dialog);
}

SaveAnswer frmVelox::askToSave(const std::string& title, const std::string& text) {
    return askSaveQuestion(this, QString::fromStdString(title), QString::fromStdString(text));
}

void frmVelox::refresh() {
    setWindowTitle(QString::fromStdString(rules_.title()));
    for (const ControlLayout& placed : window_layout::controls) {
        widget(placed.control)->setEnabled(rules_.isEnabled(placed.control));
    }
    if (listShown_ != rules_.listNumber()) {
        listShown_ = rules_.listNumber();
        showRows(*static_cast<QTreeView*>(widget(Control::lvCars)), *carRows_, rules_.rowToMark());
    }
}

} // namespace garagon
