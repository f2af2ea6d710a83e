#include "backups_dialog.hpp"

#include "backup_choice.hpp"
#include "cell_model.hpp"
#include "fonts.hpp"
#include "texts.hpp"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace garagon {

BackupsDialog::BackupsDialog(const BackupChoice& choice, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("backupsDialog"));
    setWindowTitle(QString::fromStdString(choice.title()));
    setFont(arial(false));
    resize(760, 340);

    list_ = dialogList(this, "backupList",
                       new CellModel<BackupChoice>(choice, texts::BackupColumns, this));
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
        if (choice.restores(markedRow(*list_))) {
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

std::optional<std::size_t> BackupsDialog::chosenRow() const {
    return result() == QDialog::Accepted ? markedRow(*list_) : std::nullopt;
}

} // namespace garagon
