#pragma once

#include <QPointer>
#include <QString>

class QFileDialog;
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

// The real dialogs.
class QtDialoge : public Dialoge {
  public:
    QtDialoge();
    ~QtDialoge() override;
    QString waehleSpielstand(QWidget* parent) override;
    void meldung(QWidget* parent, const QString& titel, const QString& text) override;

  private:
    QPointer<QFileDialog> comDia_; // owned by its parent window, if it has one
};

} // namespace garagon
