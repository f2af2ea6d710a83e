#include "control_factory.hpp"

#include "cell_model.hpp"
#include "measures.hpp"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>
#include <algorithm>
#include <string_view>

namespace garagon {
namespace {

QWidget* makeLabel(const QString& caption) {
    auto* label = new QLabel(caption);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// The window's buttons leave Return to the focused control; a dialog's take it as the
// platform has it.
QWidget* makeButton(const DeclaredControl& declared, const QString& caption) {
    auto* button = new QPushButton(caption);
    if (declared.role == Role::Plain) {
        button->setAutoDefault(false);
    }
    button->setAccessibleName(caption);
    return button;
}

// Tips where every column shows: a list with hidden columns keeps them for screen readers.
QWidget* makeList(const DeclaredControl& declared, const Rows& rows, QWidget* window) {
    auto* list = new QTreeView;
    const bool tips = std::ranges::all_of(declared.columns, &ColumnLayout::visible);
    setUpList(*list, new CellModel(rows, declared.columns, tips, list), declared.columns);
    list->setAccessibleName(*declared.caption != '\0' ? QString::fromUtf8(declared.caption)
                                                      : window->windowTitle());
    return list;
}

// Qt on Linux reports the selected car as the selector's name; say what it is for.
QWidget* makeSelector(const WindowLayout& layout, const DeclaredControl& declared) {
    auto* selector = new QComboBox;
    selector->setEditable(false);
    if (declared.frame != inWindow) {
        selector->setAccessibleDescription(QString::fromUtf8(layout[declared.frame].caption));
    }
    return selector;
}

QWidget* makeOfKind(const WindowLayout& layout, const DeclaredControl& declared, const Rows& rows,
                    QWidget* window) {
    const QString caption = QString::fromUtf8(declared.caption);
    switch (declared.kind) {
    case ControlKind::Button:
        return makeButton(declared, caption);
    case ControlKind::Option:
        return new QRadioButton(caption);
    case ControlKind::Frame:
        return new QGroupBox(caption);
    case ControlKind::Label:
        return makeLabel(caption);
    case ControlKind::List:
        return makeList(declared, rows, window);
    case ControlKind::Selector:
        return makeSelector(layout, declared);
    case ControlKind::TextField:
        return new QLineEdit;
    }
    return nullptr;
}

bool marksAccessKey(const DeclaredControl& declared) {
    return declared.kind == ControlKind::Label &&
           std::string_view(declared.caption).find('&') != std::string_view::npos;
}

} // namespace

std::vector<QWidget*> makeControls(const WindowLayout& layout, const Rows& rows, QWidget* window) {
    std::vector<QWidget*> controls;
    for (const DeclaredControl& declared : layout.controls) {
        QWidget* control = makeOfKind(layout, declared, rows, window);
        control->setParent(window);
        control->setObjectName(QString::fromLatin1(declared.name));
        control->setFont(controlFont(declared.bold));
        if (!controls.empty() && marksAccessKey(layout[declared.id - 1])) {
            auto* label = static_cast<QLabel*>(controls.back());
            label->setBuddy(control);
            control->setAccessibleName(label->text().remove(QLatin1Char('&')));
        }
        controls.push_back(control);
    }
    return controls;
}

} // namespace garagon
