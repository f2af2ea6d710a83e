#pragma once

#include <QString>
#include <cstddef>
#include <optional>

class QWidget;

namespace garagon {

class ListDialog;
enum class SaveAnswer;

// The window's modal dialogs; each gives the keyboard back to the window when it closes.

// The file dialog "Tarvo Spielstand laden", opened in lastFolder, which it then sets to
// the folder left: the chosen file's full path, or empty when it was cancelled.
QString chooseFile(QWidget* parent, QString& lastFolder);
// A message with the information icon and one OK button.
void showMessageBox(QWidget* parent, const QString& title, const QString& text);
// The question before unsaved replacements are dropped: warning icon, "Speichern" (the
// default), "Nicht speichern" and "Abbrechen" in the platform's order; Escape cancels.
SaveAnswer askSaveQuestion(QWidget* parent, const QString& title, const QString& text);
// Any list dialog: the row chosen, or nothing when it was closed.
std::optional<std::size_t> chooseFromList(QWidget* parent, ListDialog& dialog);

} // namespace garagon
