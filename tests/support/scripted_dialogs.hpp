#pragma once

#include "backup_choice.hpp"
#include "car_finder.hpp"
#include "dialogs.hpp"

#include <QList>
#include <QStringList>

namespace garagon::test {

struct ShownMessage {
    QString title;
    QString text;
};

// Dialogs that answer from a script and record the messages instead of showing them.
class ScriptedDialogs : public Dialogs {
  public:
    QStringList paths; // answers of the file dialog, in order; none left = cancelled
    QList<ShownMessage> shownMessages;
    // The backup dialogs shown: title, then "name: difference" per row.
    QList<QStringList> shownBackups;
    std::optional<std::size_t> backupAnswer; // nothing: the dialog is closed
    // Typed into the search, whose first match is then chosen; nothing: it is cancelled.
    std::optional<QString> carQuery;
    bool realCarSearch = false; // the real dialog instead, driven by the test's keys

    QString chooseSavegame(QWidget*) override {
        return paths.isEmpty() ? QString() : paths.takeFirst();
    }
    void showMessage(QWidget*, const QString& title, const QString& text) override {
        shownMessages.append({title, text});
    }
    std::optional<std::size_t> chooseBackup(QWidget*, const BackupChoice& choice) override {
        QStringList shown{QString::fromStdString(choice.title())};
        for (std::size_t row = 0; row < choice.rowCount(); ++row) {
            shown.append(
                QString::fromStdString(choice.cellText(row, 0) + ": " + choice.cellText(row, 2)));
        }
        shownBackups.append(shown);
        return backupAnswer;
    }
    std::optional<std::size_t> chooseCar(QWidget* parent, CarFinder& finder) override {
        if (realCarSearch) {
            return QtDialogs().chooseCar(parent, finder);
        }
        if (!carQuery) {
            return std::nullopt;
        }
        finder.search(carQuery->toStdString());
        return finder.rowCount() > 0 ? std::optional<std::size_t>(0) : std::nullopt;
    }
};

} // namespace garagon::test
