#include "dialogs.hpp"

#include "backups_dialog.hpp"
#include "car_search_dialog.hpp"
#include "keyboard.hpp"

#include <QFileDialog>
#include <QMessageBox>

namespace garagon {

QString QtDialogs::chooseSavegame(QWidget* parent) {
    // A new dialog each time, so that none of its popups outlives it and takes the
    // keyboard from the window; it opens in the folder last used.
    QFileDialog comDia(parent, QStringLiteral("Tarvo Spielstand laden"), lastFolder_);
    comDia.setObjectName(QStringLiteral("ComDia"));
    comDia.setAcceptMode(QFileDialog::AcceptOpen);
    comDia.setFileMode(QFileDialog::ExistingFile);
    const bool chosen = comDia.exec() == QDialog::Accepted && !comDia.selectedFiles().isEmpty();
    lastFolder_ = comDia.directory().absolutePath();
    takeKeyboard(parent);
    return chosen ? comDia.selectedFiles().constFirst() : QString();
}

void QtDialogs::showMessage(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::information(parent, title, text);
    takeKeyboard(parent);
}

std::optional<std::size_t> QtDialogs::chooseCar(QWidget* parent, CarFinder& finder) {
    CarSearchDialog dialog(finder, parent);
    dialog.exec();
    takeKeyboard(parent);
    return dialog.chosenRow();
}

std::optional<std::size_t> QtDialogs::chooseBackup(QWidget* parent, const BackupChoice& choice) {
    BackupsDialog dialog(choice, parent);
    dialog.exec();
    takeKeyboard(parent);
    return dialog.chosenRow();
}

} // namespace garagon
