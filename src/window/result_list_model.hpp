#pragma once

#include "search.hpp"

#include <QAbstractTableModel>
#include <vector>

namespace garagon {

// The rows of lvCars: car name, slot, position and context of each record found. The
// view asks only for the rows it shows, so a list of any length appears at once.
class ResultListModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRows(std::vector<ResultRow> rows);
    void clear() { setRows({}); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    std::vector<ResultRow> rows_;
};

} // namespace garagon
