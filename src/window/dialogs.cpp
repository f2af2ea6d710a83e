#include "dialogs.hpp"

#include <QFileDialog>
#include <QMessageBox>

namespace garagon {

QtDialoge::QtDialoge() = default;

QtDialoge::~QtDialoge() {
    delete comDia_; // null where its window has already taken it along
}

QString QtDialoge::waehleSpielstand(QWidget* parent) {
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

void QtDialoge::meldung(QWidget* parent, const QString& titel, const QString& text) {
    QMessageBox::information(parent, titel, text);
}

} // namespace garagon
