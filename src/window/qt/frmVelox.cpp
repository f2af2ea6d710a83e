#include "frmVelox.hpp"

#include "dialogs.hpp"
#include "keys.hpp"
#include "texts.hpp"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QSessionManager>
#include <QShortcut>
#include <QTimer>
#include <algorithm>
#include <iterator>

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
        action->setData(static_cast<int>(command));
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

void frmVelox::showCommand(Command command, bool offered, const std::string& caption) {
    for (QAction* action : contextMenu_->actions()) {
        if (action->data().toInt() == static_cast<int>(command)) {
            action->setEnabled(offered);
            action->setText(QString::fromStdString(caption));
        }
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
    contextMenu_->popup(where);
}

void frmVelox::openSavegame(const QString& path) {
    rules_.openSavegame(localPath(path));
}

void frmVelox::dragEnterEvent(QDragEnterEvent* event) {
    if (rules_.opensSavegames() && !droppedFile(*event->mimeData()).isEmpty()) {
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
    return std::ranges::any_of(layouts::window.controls, [&](const DeclaredControl& control) {
        return control.kind == ControlKind::Option && widget(control.id) == candidate;
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
        widget(id(rules_.checkedOption()))
            ->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    }
    return moved;
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

void frmVelox::setTitle(const std::string& title) {
    setWindowTitle(QString::fromStdString(title));
}

} // namespace garagon
