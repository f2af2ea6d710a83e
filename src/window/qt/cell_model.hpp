#pragma once

#include "texts.hpp"

#include <QAbstractItemView>
#include <QAbstractTableModel>
#include <QItemSelectionModel>
#include <QTreeView>
#include <optional>
#include <span>

namespace garagon {

// The rows of a dialog's list as a model: the source's rowCount() and cellText(row,
// column), each cell made when the view draws it, so that a list of any length costs
// nothing per row.
template <class Source> class CellModel : public QAbstractTableModel {
  public:
    CellModel(const Source& source, std::span<const char* const> headers, QObject* parent)
        : QAbstractTableModel(parent), source_(source), headers_(headers) {}

    // The source has other rows now.
    void renew() {
        beginResetModel();
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(source_.rowCount());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(headers_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) {
            return {};
        }
        return QString::fromStdString(
            source_.cellText(static_cast<std::size_t>(index.row()), index.column()));
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
            return {};
        }
        return QString::fromUtf8(headers_[static_cast<std::size_t>(section)]);
    }

  private:
    const Source& source_;
    std::span<const char* const> headers_;
};

// A dialog's list over the model: rows without a tree, one marked at a time, none edited.
inline QTreeView* dialogList(QWidget* parent, const char* name, QAbstractItemModel* model) {
    auto* list = new QTreeView(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setModel(model);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return list;
}

// The row a dialog's list marks, if any.
inline std::optional<std::size_t> markedRow(const QAbstractItemView& list) {
    const QModelIndex marked = list.selectionModel()->currentIndex();
    const bool selected = marked.isValid() && list.selectionModel()->isSelected(marked);
    return selected ? std::optional(static_cast<std::size_t>(marked.row())) : std::nullopt;
}

} // namespace garagon
