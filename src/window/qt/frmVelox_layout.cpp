// The window built from its declared layout: every control at its place.
#include "frmVelox.hpp"

#include "measures.hpp"
#include "texts.hpp"
#include "window_icon.hpp"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>

namespace garagon {
namespace {

QWidget* makeLabel(const QString& caption) {
    auto* label = new QLabel(caption);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QWidget* makeButton(const QString& caption) {
    auto* button = new QPushButton(caption);
    button->setAutoDefault(false);
    button->setAccessibleName(caption);
    return button;
}

// Qt on Linux reports the selected car as the selector's name; say what it is for.
QWidget* makeSelector(const ControlLayout& placed) {
    auto* selector = new QComboBox;
    selector->setEditable(false);
    selector->setAccessibleDescription(
        QString::fromUtf8(window_layout::layoutOf(placed.container).caption));
    return selector;
}

} // namespace

void frmVelox::buildControls() {
    setObjectName(QStringLiteral("frmVelox"));
    setWindowTitle(QString::fromStdString(rules_.title()));
    setWindowIcon(programIcon());
    setFont(controlFont(false));
    resize(pixels(window_layout::clientWidth), pixels(window_layout::clientHeight));
    // Containers first, so that each control finds its frame.
    for (const bool inFrame : {false, true}) {
        for (const ControlLayout& placed : window_layout::controls) {
            if ((placed.container != placed.control) == inFrame) {
                controls_[static_cast<std::size_t>(placed.control)] = makeControl(placed);
            }
        }
    }
    static_cast<QRadioButton*>(widget(rules_.checkedOption()))->setChecked(true);
    setAcceptDrops(true);
    chainTabOrder();
}

QWidget* frmVelox::makeControl(const ControlLayout& placed) {
    const QString caption = QString::fromUtf8(placed.caption);
    QWidget* control = nullptr;
    switch (placed.kind) {
    case ControlKind::Button:
        control = makeButton(caption);
        connect(static_cast<QPushButton*>(control), &QPushButton::clicked, this,
                [this, which = placed.control] { onClick(which); });
        break;
    case ControlKind::Option:
        control = new QRadioButton(caption);
        connect(static_cast<QRadioButton*>(control), &QRadioButton::clicked, this,
                [this, which = placed.control] { onClick(which); });
        break;
    case ControlKind::Frame:
        control = new QGroupBox(caption);
        break;
    case ControlKind::Label:
        control = makeLabel(caption);
        break;
    case ControlKind::List:
        control = makeList();
        break;
    case ControlKind::Selector:
        control = makeSelector(placed);
        break;
    }
    control->setParent(placed.container == placed.control ? this : widget(placed.container));
    control->setObjectName(QString::fromLatin1(placed.name));
    control->setGeometry(pixels(placed.left), pixels(placed.top), pixels(placed.width),
                         pixels(placed.height));
    control->setFont(controlFont(placed.bold));
    return control;
}

QWidget* frmVelox::makeList() {
    auto* list = new QTreeView;
    carRows_ = new CellModel<WindowRules>(rules_, window_layout::columns, false, list);
    setUpList(*list, carRows_, window_layout::columns);
    list->setAccessibleName(QString::fromUtf8(texts::FoundCars));
    return list;
}

// The controls that take the focus, in their declared order.
void frmVelox::chainTabOrder() {
    QWidget* previous = nullptr;
    for (const ControlLayout& placed : window_layout::controls) {
        if (takesFocus(placed.kind)) {
            if (previous != nullptr) {
                setTabOrder(previous, widget(placed.control));
            }
            previous = widget(placed.control);
        }
    }
}

} // namespace garagon
