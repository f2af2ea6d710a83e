#pragma once

#include <QString>

class QWidget;

namespace garagon {

// The modal dialogs of the window, replaceable in tests.
class Dialoge {
  public:
    virtual ~Dialoge() = default;
    // The chosen file's full path; empty when the dialog was cancelled.
    virtual QString waehleSpielstand(QWidget* parent) = 0;
    // A modal message with the information icon and one OK button.
    virtual void meldung(QWidget* parent, const QString& titel, const QString& text) = 0;
};

class QtDialoge : public Dialoge {
  public:
    QString waehleSpielstand(QWidget* parent) override;
    void meldung(QWidget* parent, const QString& titel, const QString& text) override;
};

} // namespace garagon
