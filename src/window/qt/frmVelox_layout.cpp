// The fixed layout of the window: every control at its place, in twips / 15 = pixels.
#include "frmVelox.hpp"

#include "fonts.hpp"
#include "result_list_model.hpp"
#include "texts.hpp"
#include "window_icon.hpp"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>

namespace garagon {
namespace {

constexpr int twipsPerPixel = 15;

template <class Control>
Control* place(QWidget* parent, const char* name, int left, int top, int width, int height,
               bool bold) {
    auto* control = new Control(parent);
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(left / twipsPerPixel, top / twipsPerPixel, width / twipsPerPixel,
                         height / twipsPerPixel);
    control->setFont(arial(bold));
    return control;
}

void setUpColumns(QTreeView* list, QAbstractItemModel* rows) {
    list->setModel(rows);
    // Hidden columns must not be widened by the last section filling the view.
    list->header()->setStretchLastSection(false);
    list->header()->setMinimumSectionSize(0);
    const int widths[] = {2700, 555, 1140, 3900};
    for (int column = 0; column < 4; ++column) {
        list->setColumnWidth(column, widths[column] / twipsPerPixel);
    }
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

} // namespace

void frmVelox::buildControls() {
    setObjectName(QStringLiteral("frmVelox"));
    setWindowTitle(QString::fromStdString(rules_.title()));
    setWindowIcon(programIcon());
    setFont(arial(false));
    resize(9705 / twipsPerPixel, 6390 / twipsPerPixel);

    Frame1 = place<QGroupBox>(this, "Frame1", 120, 240, 5220, 6000, true);
    Frame1->setTitle(QStringLiteral("Gefundene Wagen:"));
    lvCars = place<QTreeView>(Frame1, "lvCars", 240, 360, 4740, 3900, false);
    carRows_ = new ResultListModel(rules_, lvCars);
    setUpColumns(lvCars, carRows_);
    optShop = place<QRadioButton>(Frame1, "optShop", 240, 4290, 4515, 315, true);
    optShop->setText(QStringLiteral("\"Ladenwagen\""));
    optShop->setChecked(true);
    optBuyed = place<QRadioButton>(Frame1, "optBuyed", 240, 4590, 4740, 315, true);
    optBuyed->setText(QStringLiteral("\"Karrierewagen\" (keine gewonnenen)"));
    optMY = place<QRadioButton>(Frame1, "optMY", 240, 4890, 4740, 315, true);
    optMY->setText(QStringLiteral("\"Meine Wagen\""));
    cmdOpen = place<QPushButton>(Frame1, "cmdOpen", 840, 5340, 3540, 495, true);
    cmdOpen->setText(QStringLiteral("Spielstand laden"));

    Frame2 = place<QGroupBox>(this, "Frame2", 5520, 240, 4020, 1935, true);
    Frame2->setTitle(QStringLiteral("Markierten Wagen ersetzen durch:"));
    cmbCars = place<QComboBox>(Frame2, "cmbCars", 240, 600, 3540, 360, false);
    cmbCars->setEditable(false);
    cmdReplace = place<QPushButton>(Frame2, "cmdReplace", 240, 1200, 3540, 495, true);
    cmdReplace->setText(QStringLiteral("Ersetzen"));

    Label1 = place<QLabel>(this, "Label1", 5520, 2520, 3975, 1800, false);
    Label1->setText(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    cmdSave = place<QPushButton>(this, "cmdSave", 5760, 4650, 3540, 495, true);
    cmdSave->setText(QStringLiteral("Änderungen speichern"));
    cmdSave->setEnabled(false);
    cmdExit = place<QPushButton>(this, "cmdExit", 5760, 5580, 3540, 495, true);
    cmdExit->setText(QStringLiteral("Programm beenden"));

    for (auto* button : {cmdOpen, cmdReplace, cmdSave, cmdExit}) {
        button->setAutoDefault(false);
        button->setAccessibleName(button->text());
    }
    lvCars->setAccessibleName(QString::fromUtf8(texts::FoundCars));
    // Qt on Linux reports the selected car as the selector's name; say what it is for.
    cmbCars->setAccessibleDescription(Frame2->title());
    setAcceptDrops(true);
    chainTabOrder();
}

void frmVelox::chainTabOrder() {
    QWidget* const order[] = {cmdOpen, lvCars,   cmbCars, cmdReplace, cmdSave,
                              cmdExit, optBuyed, optMY,   optShop};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        setTabOrder(order[i], order[i + 1]);
    }
}

} // namespace garagon
