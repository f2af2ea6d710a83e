#include "dialogs.hpp"

#include <QFileDialog>
#include <QMessageBox>

namespace garagon {

QString QtDialoge::waehleSpielstand(QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("Tarvo Spielstand laden"));
    dialog.setObjectName(QStringLiteral("ComDia"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

void QtDialoge::meldung(QWidget* parent, const QString& titel, const QString& text) {
    QMessageBox::information(parent, titel, text);
}

} // namespace garagon
