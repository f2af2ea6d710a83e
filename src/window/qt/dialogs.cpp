#include "dialogs.hpp"

#include "backups_dialog.hpp"
#include "car_search_dialog.hpp"

#include <QFileDialog>
#include <QMessageBox>

namespace garagon {
namespace {

// Without a window manager nobody gives the keyboard back once a dialog has gone: the
// window takes it again itself, at the control that had it.
void takeKeyboardBack(QWidget* window) {
    if (window != nullptr) {
        window->activateWindow();
    }
}

} // namespace

QString QtDialogs::chooseSavegame(QWidget* parent) {
    // A new dialog each time, so that none of its popups outlives it and takes the
    // keyboard from the window; it opens in the folder last used.
    QFileDialog comDia(parent, QStringLiteral("Tarvo Spielstand laden"), lastFolder_);
    comDia.setObjectName(QStringLiteral("ComDia"));
    comDia.setAcceptMode(QFileDialog::AcceptOpen);
    comDia.setFileMode(QFileDialog::ExistingFile);
    const bool chosen = comDia.exec() == QDialog::Accepted && !comDia.selectedFiles().isEmpty();
    lastFolder_ = comDia.directory().absolutePath();
    takeKeyboardBack(parent);
    return chosen ? comDia.selectedFiles().constFirst() : QString();
}

void QtDialogs::showMessage(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::information(parent, title, text);
    takeKeyboardBack(parent);
}

std::optional<std::size_t> QtDialogs::chooseCar(QWidget* parent, CarFinder& finder) {
    CarSearchDialog dialog(finder, parent);
    dialog.exec();
    takeKeyboardBack(parent);
    return dialog.chosenRow();
}

std::optional<std::size_t> QtDialogs::chooseBackup(QWidget* parent, const BackupChoice& choice) {
    BackupsDialog dialog(choice, parent);
    dialog.exec();
    takeKeyboardBack(parent);
    return dialog.chosenRow();
}

} // namespace garagon
