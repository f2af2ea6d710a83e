#pragma once

#include <QDialog>
#include <cstddef>
#include <optional>

class QTreeView;

namespace garagon {

class BackupChoice;

// The modal dialog "Sicherungen von <name>": the backups in a list, the newest marked,
// "Wiederherstellen" as the default button beside "Schließen".
class BackupsDialog : public QDialog {
    Q_OBJECT

  public:
    BackupsDialog(const BackupChoice& choice, QWidget* parent);

    // The marked row, once "Wiederherstellen" was chosen; nothing when it was closed.
    std::optional<std::size_t> chosenRow() const;

  private:
    QTreeView* list_ = nullptr;
};

} // namespace garagon
