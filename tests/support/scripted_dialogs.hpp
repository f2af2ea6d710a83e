#pragma once

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

    QString chooseSavegame(QWidget*) override {
        return paths.isEmpty() ? QString() : paths.takeFirst();
    }
    void showMessage(QWidget*, const QString& title, const QString& text) override {
        shownMessages.append({title, text});
    }
};

} // namespace garagon::test
