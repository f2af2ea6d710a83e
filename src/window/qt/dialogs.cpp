#include "dialogs.hpp"

#include "keyboard.hpp"
#include "list_dialog_view.hpp"
#include "texts.hpp"
#include "window_rules.hpp"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace garagon {

QString chooseFile(QWidget* parent, QString& lastFolder) {
    // A new dialog each time, so that none of its popups outlives it and takes the
    // keyboard from the window.
    QFileDialog comDia(parent, QString::fromUtf8(texts::OpenDialogTitle), lastFolder);
    comDia.setObjectName(QStringLiteral("ComDia"));
    comDia.setAcceptMode(QFileDialog::AcceptOpen);
    comDia.setFileMode(QFileDialog::ExistingFile);
    const bool chosen = comDia.exec() == QDialog::Accepted && !comDia.selectedFiles().isEmpty();
    lastFolder = comDia.directory().absolutePath();
    takeKeyboard(parent);
    return chosen ? comDia.selectedFiles().constFirst() : QString();
}

void showMessageBox(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::information(parent, title, text);
    takeKeyboard(parent);
}

SaveAnswer askSaveQuestion(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox question(QMessageBox::Warning, title, text, QMessageBox::NoButton, parent);
    question.setObjectName(QStringLiteral("saveQuestion"));
    // Roles, not standard buttons: their German texts need no translation loaded.
    QPushButton* save =
        question.addButton(QString::fromUtf8(texts::SaveButton), QMessageBox::AcceptRole);
    QPushButton* dontSave =
        question.addButton(QString::fromUtf8(texts::DontSaveButton), QMessageBox::DestructiveRole);
    QPushButton* cancel =
        question.addButton(QString::fromUtf8(texts::CancelButton), QMessageBox::RejectRole);
    question.setDefaultButton(save);
    question.setEscapeButton(cancel);
    question.exec();
    takeKeyboard(parent);
    const QAbstractButton* answer = question.clickedButton();
    return answer == save       ? SaveAnswer::Save
           : answer == dontSave ? SaveAnswer::DontSave
                                : SaveAnswer::Cancel;
}

std::optional<std::size_t> chooseFromList(QWidget* parent, ListDialog& dialog) {
    ListDialogView view(dialog, parent);
    view.exec();
    takeKeyboard(parent);
    return view.chosenRow();
}

} // namespace garagon
