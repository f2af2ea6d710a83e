// The window built from its declared layout: every control at its place.
#include "control_factory.hpp"
#include "frmVelox.hpp"
#include "measures.hpp"
#include "window_icon.hpp"

#include <QAbstractButton>
#include <QRadioButton>

namespace garagon {

void frmVelox::buildControls() {
    setObjectName(QString::fromLatin1(layouts::window.name));
    setWindowTitle(QString::fromStdString(rules_.title()));
    setWindowIcon(programIcon());
    setFont(controlFont(false));
    resize(pixels(layouts::window.width), pixels(layouts::window.height));
    widgets_ = makeControls(layouts::window, rules_, this);
    placeInFrames();
    for (const DeclaredControl& control : layouts::window.controls) {
        if (auto* button = qobject_cast<QAbstractButton*>(widget(control.id))) {
            connect(button, &QAbstractButton::clicked, this,
                    [this, which = static_cast<Control>(control.id)] { rules_.click(which); });
        }
    }
    static_cast<QRadioButton*>(widget(id(rules_.checkedOption())))->setChecked(true);
    setAcceptDrops(true);
    chainTabOrder();
}

void frmVelox::placeInFrames() {
    for (const DeclaredControl& control : layouts::window.controls) {
        const Place& place = control.place;
        if (control.frame != inWindow) {
            widget(control.id)->setParent(widget(control.frame));
        }
        widget(control.id)
            ->setGeometry(pixels(place.left), pixels(place.top), pixels(place.width),
                          pixels(place.height));
    }
}

// The controls that take the focus, in their declared order.
void frmVelox::chainTabOrder() {
    QWidget* previous = nullptr;
    for (const DeclaredControl& control : layouts::window.controls) {
        if (takesFocus(control.kind)) {
            if (previous != nullptr) {
                setTabOrder(previous, widget(control.id));
            }
            previous = widget(control.id);
        }
    }
}

} // namespace garagon
