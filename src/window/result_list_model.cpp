#include "result_list_model.hpp"

#include "windows1252.hpp"

namespace garagon {
namespace {

constexpr int columns = 4;

// "Slot" and "Position" are numbers and stand right-aligned.
QVariant alignment(int column) {
    const bool number = column == 1 || column == 2;
    return QVariant::fromValue((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
}

QString columnText(const ResultRow& row, int column) {
    switch (column) {
    case 0:
        return QString::fromStdString(windows1252ToUtf8(row.name));
    case 1:
        return QString::fromStdString(row.slot);
    case 2:
        return QString::fromStdString(row.position);
    default:
        return QString::fromStdString(row.context);
    }
}

} // namespace

void ResultListModel::setRows(std::vector<ResultRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int ResultListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ResultListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns;
}

QVariant ResultListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return columnText(rows_[static_cast<std::size_t>(index.row())], index.column());
    }
    return role == Qt::TextAlignmentRole ? alignment(index.column()) : QVariant{};
}

QVariant ResultListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) {
        return {};
    }
    static const QString headers[columns] = {QStringLiteral("Wagen"), QStringLiteral("Slot"),
                                             QStringLiteral("Position"),
                                             QStringLiteral("vor - hinter")};
    if (role == Qt::DisplayRole) {
        return headers[section];
    }
    return role == Qt::TextAlignmentRole ? alignment(section) : QVariant{};
}

} // namespace garagon
