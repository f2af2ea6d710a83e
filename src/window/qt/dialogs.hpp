#pragma once

#include <QString>

class QWidget;

namespace garagon {

// The modal dialogs of the window, replaceable in tests.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // The chosen file's full path; empty when the dialog was cancelled.
    virtual QString chooseSavegame(QWidget* parent) = 0;
    // A modal message with the information icon and one OK button.
    virtual void showMessage(QWidget* parent, const QString& title, const QString& text) = 0;
};

// The real dialogs.
class QtDialogs : public Dialogs {
  public:
    QString chooseSavegame(QWidget* parent) override;
    void showMessage(QWidget* parent, const QString& title, const QString& text) override;

  private:
    QString lastFolder_; // empty at first: the dialog opens where the system puts it
};

} // namespace garagon
