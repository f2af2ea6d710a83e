#include "result_list_model.hpp"

#include "window_rules.hpp"

namespace garagon {
namespace {

constexpr int columns = 4;

// "Slot" and "Position" are numbers and stand right-aligned.
QVariant alignment(int column) {
    const bool number = column == 1 || column == 2;
    return QVariant::fromValue((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
}

} // namespace

ResultListModel::ResultListModel(const WindowRules& rules, QObject* parent)
    : QAbstractTableModel(parent), rules_(rules) {}

void ResultListModel::showRows(int count) {
    beginResetModel();
    rows_ = count;
    endResetModel();
}

int ResultListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int ResultListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns;
}

QVariant ResultListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return QString::fromStdString(
            rules_.cellText(static_cast<std::size_t>(index.row()), index.column()));
    }
    // A screen reader reads a row as the player sees it: the columns hidden at width 0
    // say nothing (an empty name would fall back to the text).
    if (role == Qt::AccessibleTextRole && index.column() > 0) {
        return QStringLiteral(" ");
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
