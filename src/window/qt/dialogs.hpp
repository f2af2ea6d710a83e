#pragma once

#include <QString>
#include <cstddef>
#include <optional>

class QWidget;

namespace garagon {

class BackupChoice;
class CarFinder;

// The modal dialogs of the window, replaceable in tests.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // The chosen file's full path; empty when the dialog was cancelled.
    virtual QString chooseSavegame(QWidget* parent) = 0;
    // A modal message with the information icon and one OK button.
    virtual void showMessage(QWidget* parent, const QString& title, const QString& text) = 0;
    // The dialog of a savegame's backups: the row to restore, or nothing when closed.
    virtual std::optional<std::size_t> chooseBackup(QWidget* parent,
                                                    const BackupChoice& choice) = 0;
    // The dialog "Wagen suchen": the row chosen, or nothing when it was cancelled.
    virtual std::optional<std::size_t> chooseCar(QWidget* parent, CarFinder& finder) = 0;
};

// The real dialogs.
class QtDialogs : public Dialogs {
  public:
    QString chooseSavegame(QWidget* parent) override;
    void showMessage(QWidget* parent, const QString& title, const QString& text) override;
    std::optional<std::size_t> chooseBackup(QWidget* parent, const BackupChoice& choice) override;
    std::optional<std::size_t> chooseCar(QWidget* parent, CarFinder& finder) override;

  private:
    QString lastFolder_; // empty at first: the dialog opens where the system puts it
};

} // namespace garagon
