#pragma once

#include "controls.hpp"
#include "measures.hpp"
#include "window_layout.hpp"

#include <QAbstractItemView>
#include <QAbstractTableModel>
#include <QHeaderView>
#include <QTreeView>
#include <span>

namespace garagon {

// The rows of a list as a model: each cell made when the view draws it, so that a list of
// any length costs nothing per row. The number of rows is the one given at the last
// renew(), so that the view never asks for a row that the source no longer has.
class CellModel : public QAbstractTableModel {
  public:
    // Tips show each cell's whole text where a column cuts it off.
    CellModel(const Rows& source, std::span<const ColumnLayout> columns, bool tips, QObject* parent)
        : QAbstractTableModel(parent), source_(source), columns_(columns), tips_(tips) {}

    // The source has this many other rows now.
    void renew(std::size_t rows) {
        beginResetModel();
        rows_ = static_cast<int>(rows);
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : rows_;
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(columns_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rows_) {
            return {};
        }
        const ColumnLayout& column = columns_[static_cast<std::size_t>(index.column())];
        if (role == Qt::DisplayRole || (role == Qt::ToolTipRole && tips_)) {
            return QString::fromStdString(
                source_.cellText(static_cast<std::size_t>(index.row()), index.column()));
        }
        // A screen reader reads a row as the player sees it: a hidden column says nothing
        // (an empty name would fall back to the text).
        if (role == Qt::AccessibleTextRole && !column.visible) {
            return QStringLiteral(" ");
        }
        return role == Qt::TextAlignmentRole ? alignment(column) : QVariant{};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal) {
            return {};
        }
        const ColumnLayout& column = columns_[static_cast<std::size_t>(section)];
        if (role == Qt::DisplayRole) {
            return QString::fromUtf8(column.header);
        }
        return role == Qt::TextAlignmentRole ? alignment(column) : QVariant{};
    }

  private:
    static QVariant alignment(const ColumnLayout& column) {
        const Qt::Alignment side =
            column.alignment == Alignment::Right ? Qt::AlignRight : Qt::AlignLeft;
        return QVariant::fromValue(side | Qt::AlignVCenter);
    }

    const Rows& source_;
    std::span<const ColumnLayout> columns_;
    bool tips_;
    int rows_ = 0;
};

// A list over the model: rows without a tree, one marked at a time, none edited, its
// columns as wide as declared. A visible last column fills the rest of the view; a hidden
// one must not be widened so.
inline void setUpList(QTreeView& list, QAbstractItemModel* model,
                      std::span<const ColumnLayout> columns) {
    list.setModel(model);
    const bool lastFills = columns.back().visible;
    list.header()->setStretchLastSection(lastFills);
    list.header()->setMinimumSectionSize(0);
    for (std::size_t column = 0; column + (lastFills ? 1 : 0) < columns.size(); ++column) {
        list.setColumnWidth(static_cast<int>(column), pixels(columns[column].width));
    }
    list.setRootIsDecorated(false);
    list.setItemsExpandable(false);
    list.setUniformRowHeights(true);
    list.setSelectionMode(QAbstractItemView::SingleSelection);
    list.setSelectionBehavior(QAbstractItemView::SelectRows);
    list.setEditTriggers(QAbstractItemView::NoEditTriggers);
}

} // namespace garagon
