#include "car_search_dialog.hpp"

#include "car_finder.hpp"
#include "cell_model.hpp"
#include "fonts.hpp"
#include "texts.hpp"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace garagon {

CarSearchDialog::CarSearchDialog(CarFinder& finder, QWidget* parent)
    : QDialog(parent), finder_(finder) {
    setObjectName(QStringLiteral("carSearchDialog"));
    setWindowTitle(QString::fromUtf8(texts::CarSearchTitle));
    setFont(arial(false));
    resize(520, 420);

    auto* queryLabel = new QLabel(QString::fromUtf8(texts::CarSearchLabel), this);
    query_ = new QLineEdit(this);
    query_->setObjectName(QStringLiteral("searchText"));
    queryLabel->setBuddy(query_);
    query_->installEventFilter(this);

    auto* listLabel = new QLabel(QString::fromUtf8(texts::CarSearchListLabel), this);
    model_ = new CellModel<CarFinder>(finder_, texts::CarSearchColumns, this);
    list_ = dialogList(this, "carList", model_);
    listLabel->setBuddy(list_);
    list_->setColumnWidth(0, 320);
    list_->setAccessibleName(listLabel->text().remove(QLatin1Char('&')));

    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("matchCount"));

    auto* buttons = new QDialogButtonBox(this);
    choose_ =
        buttons->addButton(QString::fromUtf8(texts::ChooseButton), QDialogButtonBox::AcceptRole);
    choose_->setObjectName(QStringLiteral("chooseButton"));
    choose_->setDefault(true);
    choose_->setAutoDefault(true);
    QPushButton* cancel =
        buttons->addButton(QString::fromUtf8(texts::CancelButton), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &CarSearchDialog::choose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QTreeView::doubleClicked, this, &CarSearchDialog::choose);
    connect(query_, &QLineEdit::textChanged, this, &CarSearchDialog::search);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(queryLabel);
    layout->addWidget(query_);
    layout->addWidget(listLabel);
    layout->addWidget(list_);
    layout->addWidget(count_);
    layout->addWidget(buttons);
    search({});
    query_->setFocus();
}

// The mark follows every keystroke: on the first match, or nowhere.
void CarSearchDialog::search(const QString& query) {
    finder_.search(query.toStdString());
    model_->renew();
    const bool found = finder_.rowCount() > 0;
    if (found) {
        list_->setCurrentIndex(model_->index(0, 0));
    }
    count_->setText(QString::fromStdString(finder_.countText()));
    choose_->setEnabled(found);
}

// The keys that move the mark go to the list; the text field keeps the focus.
bool CarSearchDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == query_ && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            QApplication::sendEvent(list_, event);
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CarSearchDialog::choose() {
    if (markedRow(*list_)) {
        accept();
    }
}

std::optional<std::size_t> CarSearchDialog::chosenRow() const {
    return result() == QDialog::Accepted ? markedRow(*list_) : std::nullopt;
}

} // namespace garagon
