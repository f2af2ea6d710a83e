#pragma once

#include "list_dialog.hpp"
#include "widget_controls.hpp"

#include <QDialog>
#include <optional>

namespace garagon {

// Any list dialog as its declaration has it, its controls stacked in their order and its
// buttons in the platform's. The keys that move the mark go from the text field to the
// list; Return, a double click or the accepting button choose the marked row where the
// dialog allows it, Escape closes.
class ListDialogView : public QDialog, public WidgetControls {
  public:
    ListDialogView(ListDialog& dialog, QWidget* parent);

    // The marked row, once it was chosen; nothing when the dialog was closed.
    std::optional<std::size_t> chosenRow() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void stack();
    void connectTextField(QWidget* field);
    void choose();
    int list() const { return *dialog_.layout().find(ControlKind::List); }

    ListDialog& dialog_;
    QWidget* textField_ = nullptr;
};

} // namespace garagon
