#pragma once

#include "dialogs.hpp"

#include <QList>
#include <QStringList>

namespace garagon::test {

struct Meldung {
    QString titel;
    QString text;
};

// Dialogs that answer from a script and record the messages instead of showing them.
class ScriptedDialogs : public Dialoge {
  public:
    QStringList pfade; // answers of the file dialog, in order; none left = cancelled
    QList<Meldung> meldungen;

    QString waehleSpielstand(QWidget*) override {
        return pfade.isEmpty() ? QString() : pfade.takeFirst();
    }
    void meldung(QWidget*, const QString& titel, const QString& text) override {
        meldungen.append({titel, text});
    }
};

} // namespace garagon::test
