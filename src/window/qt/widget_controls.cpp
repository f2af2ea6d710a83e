#include "widget_controls.hpp"

#include "cell_model.hpp"

#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QStringListModel>
#include <QTreeView>
#include <algorithm>
#include <cstdint>

namespace garagon {

void WidgetControls::setText(int control, const std::string& text) {
    static_cast<QLabel*>(widget(control))->setText(QString::fromStdString(text));
}

void WidgetControls::enable(int control, bool enabled) {
    widget(control)->setEnabled(enabled);
}

void WidgetControls::setShown(int control, bool shown) {
    widget(control)->setVisible(shown);
}

void WidgetControls::showRows(int list, std::size_t count, std::optional<std::size_t> marked) {
    auto* view = static_cast<QTreeView*>(widget(list));
    static_cast<CellModel*>(view->model())->renew(count);
    if (marked) {
        view->setCurrentIndex(view->model()->index(static_cast<int>(*marked), 0));
    }
}

void WidgetControls::hideColumn(int list, int column) {
    static_cast<QTreeView*>(widget(list))->setColumnWidth(column, 0);
}

// One model in one go: no item object and no insertion per entry.
void WidgetControls::setEntries(int selector, const std::vector<std::string_view>& entries) {
    QStringList names;
    names.reserve(static_cast<qsizetype>(entries.size()));
    for (const std::string_view entry : entries) {
        names.append(QString::fromUtf8(entry.data(), static_cast<qsizetype>(entry.size())));
    }
    static_cast<QComboBox*>(widget(selector))
        ->setModel(new QStringListModel(names, widget(selector)));
}

void WidgetControls::chooseEntry(int selector, int entry) {
    static_cast<QComboBox*>(widget(selector))->setCurrentIndex(entry);
}

void WidgetControls::focus(int control) {
    widget(control)->setFocus();
}

bool WidgetControls::isFocused(int control) const {
    return widget(control)->hasFocus();
}

// The first row marked, if any.
std::optional<std::size_t> WidgetControls::markedRow(int list) const {
    std::optional<std::size_t> first;
    for (const QModelIndex& marked :
         static_cast<QTreeView*>(widget(list))->selectionModel()->selectedRows()) {
        first = std::min(first.value_or(SIZE_MAX), static_cast<std::size_t>(marked.row()));
    }
    return first;
}

int WidgetControls::chosenEntry(int selector) const {
    return static_cast<QComboBox*>(widget(selector))->currentIndex();
}

std::string WidgetControls::text(int textField) const {
    return static_cast<QLineEdit*>(widget(textField))->text().toStdString();
}

} // namespace garagon
