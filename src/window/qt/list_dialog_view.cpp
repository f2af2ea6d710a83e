#include "list_dialog_view.hpp"

#include "keys.hpp"
#include "measures.hpp"

#include <QApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

namespace garagon {

ListDialogView::ListDialogView(ListDialog& dialog, QWidget* parent)
    : QDialog(parent), dialog_(dialog) {
    const DialogLayout& layout = dialog.layout();
    setObjectName(QString::fromLatin1(layout.name));
    setWindowTitle(QString::fromStdString(dialog.title()));
    setFont(controlFont(false));
    resize(pixels(layout.width), pixels(layout.height));
    auto* box = new QVBoxLayout(this);
    for (const DialogControl& control : layout.controls) {
        addPart(control, *box);
    }
    showRows();
    status_->setVisible(!status_->text().isEmpty());
    (text_ != nullptr ? static_cast<QWidget*>(text_) : list_)->setFocus();
}

void ListDialogView::addPart(const DialogControl& control, QBoxLayout& box) {
    switch (control.part) {
    case DialogPart::Label:
        label_ = new QLabel(QString::fromUtf8(control.caption), this);
        label_->setObjectName(QString::fromLatin1(control.name));
        return box.addWidget(label_);
    case DialogPart::TextField:
        return addTextField(control, box);
    case DialogPart::List:
        return addList(control, box);
    case DialogPart::Status:
        status_ = new QLabel(this);
        status_->setObjectName(QString::fromLatin1(control.name));
        return box.addWidget(status_);
    case DialogPart::AcceptButton:
    case DialogPart::RejectButton:
        return addButton(control, box);
    }
}

void ListDialogView::addTextField(const DialogControl& control, QBoxLayout& box) {
    text_ = new QLineEdit(this);
    text_->setObjectName(QString::fromLatin1(control.name));
    label_->setBuddy(text_);
    text_->installEventFilter(this);
    // The mark follows every keystroke: on the first match, or nowhere.
    connect(text_, &QLineEdit::textChanged, this, [this](const QString& query) {
        dialog_.search(query.toStdString());
        showRows();
    });
    box.addWidget(text_);
}

// Named for a screen reader by the label before it, or else by the dialog's title.
void ListDialogView::addList(const DialogControl& control, QBoxLayout& box) {
    list_ = new QTreeView(this);
    list_->setObjectName(QString::fromLatin1(control.name));
    model_ = new CellModel<ListDialog>(dialog_, dialog_.layout().columns, true, this);
    setUpList(*list_, model_, dialog_.layout().columns);
    if (label_ != nullptr) {
        label_->setBuddy(list_);
        list_->setAccessibleName(label_->text().remove(QLatin1Char('&')));
    } else {
        list_->setAccessibleName(windowTitle());
    }
    connect(list_, &QTreeView::doubleClicked, this, &ListDialogView::choose);
    box.addWidget(list_);
}

void ListDialogView::addButton(const DialogControl& control, QBoxLayout& box) {
    if (buttons_ == nullptr) {
        buttons_ = new QDialogButtonBox(this);
        connect(buttons_, &QDialogButtonBox::accepted, this, &ListDialogView::choose);
        connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
        box.addWidget(buttons_);
    }
    const bool accepts = control.part == DialogPart::AcceptButton;
    QPushButton* button =
        buttons_->addButton(QString::fromUtf8(control.caption),
                            accepts ? QDialogButtonBox::AcceptRole : QDialogButtonBox::RejectRole);
    button->setObjectName(QString::fromLatin1(control.name));
    if (accepts) {
        accept_ = button;
        accept_->setDefault(true);
    }
}

// The rows anew, the first one marked, the status line, and the accepting button enabled
// only where it could choose.
void ListDialogView::showRows() {
    garagon::showRows(*list_, *model_, dialog_.firstMarkedRow());
    status_->setText(QString::fromStdString(dialog_.status()));
    accept_->setEnabled(dialog_.chooses(dialog_.firstMarkedRow()));
}

bool ListDialogView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == text_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (std::ranges::any_of(listKeys, [key](Key listKey) { return qtKey(listKey) == key; })) {
            QApplication::sendEvent(list_, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ListDialogView::choose() {
    if (dialog_.chooses(markedRow(*list_))) {
        accept();
    }
}

std::optional<std::size_t> ListDialogView::chosenRow() const {
    return result() == QDialog::Accepted ? markedRow(*list_) : std::nullopt;
}

} // namespace garagon
