#include "backups_dialog.hpp"

#include "backup_choice.hpp"
#include "texts.hpp"

#include <QAbstractTableModel>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace garagon {
namespace {

// The rows of the dialog's list, each made when the list draws it: the comparison of a
// backup is done only for the rows on screen.
class BackupListModel : public QAbstractTableModel {
  public:
    BackupListModel(const BackupChoice& choice, QObject* parent)
        : QAbstractTableModel(parent), choice_(choice) {}

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(choice_.rowCount());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(std::size(texts::BackupColumns));
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) {
            return {};
        }
        return QString::fromStdString(
            choice_.cellText(static_cast<std::size_t>(index.row()), index.column()));
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
            return {};
        }
        return QString::fromUtf8(texts::BackupColumns[section]);
    }

  private:
    const BackupChoice& choice_;
};

QFont arial() {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(9.75);
    return font;
}

} // namespace

BackupsDialog::BackupsDialog(const BackupChoice& choice, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("backupsDialog"));
    setWindowTitle(QString::fromStdString(choice.title()));
    setFont(arial());
    resize(760, 340);

    list_ = new QTreeView(this);
    list_->setObjectName(QStringLiteral("backupList"));
    list_->setModel(new BackupListModel(choice, list_));
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setColumnWidth(0, 170);
    list_->setColumnWidth(1, 130);
    list_->setAccessibleName(QString::fromStdString(choice.title()));
    if (choice.rowCount() > 0) {
        list_->setCurrentIndex(list_->model()->index(static_cast<int>(choice.markedRow()), 0));
    }

    auto* warning = new QLabel(QString::fromStdString(choice.warning()), this);
    warning->setObjectName(QStringLiteral("unsavedWarning"));
    warning->setVisible(!choice.warning().empty());

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* restore =
        buttons->addButton(QString::fromUtf8(texts::RestoreButton), QDialogButtonBox::AcceptRole);
    restore->setObjectName(QStringLiteral("restoreButton"));
    restore->setDefault(true);
    QPushButton* close =
        buttons->addButton(QString::fromUtf8(texts::CloseButton), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("closeButton"));
    const auto restoreMarked = [this, &choice] {
        if (choice.restores(markedRow())) {
            accept();
        }
    };
    connect(buttons, &QDialogButtonBox::accepted, this, restoreMarked);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QTreeView::doubleClicked, this, restoreMarked);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(warning);
    layout->addWidget(buttons);
    list_->setFocus();
}

std::optional<std::size_t> BackupsDialog::markedRow() const {
    const QModelIndex marked = list_->selectionModel()->currentIndex();
    const bool selected = marked.isValid() && list_->selectionModel()->isSelected(marked);
    return selected ? std::optional(static_cast<std::size_t>(marked.row())) : std::nullopt;
}

std::optional<std::size_t> BackupsDialog::chosenRow() const {
    return result() == QDialog::Accepted ? markedRow() : std::nullopt;
}

} // namespace garagon
