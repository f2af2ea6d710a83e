#include "list_dialog_view.hpp"

#include "cell_model.hpp"
#include "control_factory.hpp"
#include "keys.hpp"
#include "measures.hpp"

#include <QApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

namespace garagon {

ListDialogView::ListDialogView(ListDialog& dialog, QWidget* parent)
    : QDialog(parent), dialog_(dialog) {
    const WindowLayout& layout = dialog.layout();
    setObjectName(QString::fromLatin1(layout.name));
    setWindowTitle(QString::fromStdString(dialog.title()));
    setFont(controlFont(false));
    resize(pixels(layout.width), pixels(layout.height));
    widgets_ = makeControls(layout, dialog, this);
    stack();
    connect(static_cast<QTreeView*>(widget(list())), &QTreeView::doubleClicked, this,
            &ListDialogView::choose);
    if (const auto field = layout.find(Role::TextField)) {
        connectTextField(widget(*field));
    }
    dialog_.opened(*this);
}

// One box over the other, the buttons last in a row of their own.
void ListDialogView::stack() {
    auto* box = new QVBoxLayout(this);
    auto* buttons = new QDialogButtonBox(this);
    for (const DeclaredControl& control : dialog_.layout().controls) {
        auto* button = qobject_cast<QPushButton*>(widget(control.id));
        if (button == nullptr) {
            box->addWidget(widget(control.id));
            continue;
        }
        const bool accepts = control.role == Role::Accept;
        buttons->addButton(button,
                           accepts ? QDialogButtonBox::AcceptRole : QDialogButtonBox::RejectRole);
        button->setDefault(accepts);
    }
    box->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &ListDialogView::choose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

// The mark follows every keystroke: on the first match, or nowhere.
void ListDialogView::connectTextField(QWidget* field) {
    textField_ = field;
    textField_->installEventFilter(this);
    connect(static_cast<QLineEdit*>(field), &QLineEdit::textChanged, this,
            [this] { dialog_.edited(*this); });
}

bool ListDialogView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == textField_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (std::ranges::any_of(listKeys, [key](Key listKey) { return qtKey(listKey) == key; })) {
            QApplication::sendEvent(widget(list()), event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ListDialogView::choose() {
    if (dialog_.chooses(markedRow(list()))) {
        accept();
    }
}

std::optional<std::size_t> ListDialogView::chosenRow() const {
    return result() == QDialog::Accepted ? markedRow(list()) : std::nullopt;
}

} // namespace garagon
