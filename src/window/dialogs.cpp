#include "dialogs.hpp"

#include <QFileDialog>
#include <QMessageBox>

namespace garagon {

QtDialogs::QtDialogs() = default;

QtDialogs::~QtDialogs() {
    delete comDia_; // null where its window has already taken it along
}

QString QtDialogs::chooseSavegame(QWidget* parent) {
    // One dialog for the whole run, so that it reopens in the folder last used.
    if (!comDia_) {
        comDia_ = new QFileDialog(parent, QStringLiteral("Tarvo Spielstand laden"));
        comDia_->setObjectName(QStringLiteral("ComDia"));
        comDia_->setAcceptMode(QFileDialog::AcceptOpen);
        comDia_->setFileMode(QFileDialog::ExistingFile);
    }
    if (comDia_->exec() != QDialog::Accepted || comDia_->selectedFiles().isEmpty()) {
        return {};
    }
    return comDia_->selectedFiles().constFirst();
}

void QtDialogs::showMessage(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::information(parent, title, text);
}

} // namespace garagon
