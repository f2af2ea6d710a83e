#pragma once

#include "cell_model.hpp"
#include "list_dialog.hpp"

#include <QDialog>
#include <optional>

class QBoxLayout;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace garagon {

// Any list dialog as its declaration has it, its parts stacked in their order. The keys
// that move the mark go from the text field to the list; Return, a double click or the
// accepting button choose the marked row where the dialog allows it, Escape closes.
class ListDialogView : public QDialog {
  public:
    ListDialogView(ListDialog& dialog, QWidget* parent);

    // The marked row, once it was chosen; nothing when the dialog was closed.
    std::optional<std::size_t> chosenRow() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void addPart(const DialogControl& control, QBoxLayout& box);
    void addTextField(const DialogControl& control, QBoxLayout& box);
    void addList(const DialogControl& control, QBoxLayout& box);
    void addButton(const DialogControl& control, QBoxLayout& box);
    void showRows();
    void choose();

    ListDialog& dialog_;
    CellModel<ListDialog>* model_ = nullptr;
    QLabel* label_ = nullptr; // the last label, which names the control after it
    QLineEdit* text_ = nullptr;
    QTreeView* list_ = nullptr;
    QLabel* status_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
    QPushButton* accept_ = nullptr;
};

} // namespace garagon
