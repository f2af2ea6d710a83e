#pragma once

#include <QDialog>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace garagon {

class CarFinder;
template <class Source> class CellModel;

// The dialog "Wagen suchen": the player types words of a name, the list below shows the
// catalogue's cars that hold them all, the first one marked. The arrows and the page keys
// move the mark from the text field; Return or a double click chooses, Escape cancels.
class CarSearchDialog : public QDialog {
  public:
    CarSearchDialog(CarFinder& finder, QWidget* parent);

    // The marked row, once "Auswählen" was chosen; nothing when it was cancelled.
    std::optional<std::size_t> chosenRow() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void search(const QString& query);
    void choose();

    CarFinder& finder_;
    CellModel<CarFinder>* model_ = nullptr;
    QLineEdit* query_ = nullptr;
    QTreeView* list_ = nullptr;
    QLabel* count_ = nullptr;
    QPushButton* choose_ = nullptr;
};

} // namespace garagon
