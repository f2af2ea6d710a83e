#pragma once

#include <QAbstractTableModel>

namespace garagon {

class WindowRules;

// The rows of lvCars: car name, slot, position and context of each record found. The
// texts of a row are made only when the view asks for them, so a list of any length
// appears at once and costs no memory per row.
class ResultListModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    ResultListModel(const WindowRules& rules, QObject* parent);

    // Shows a new list of this many rows.
    void showRows(int count);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    const WindowRules& rules_;
    int rows_ = 0;
};

} // namespace garagon
