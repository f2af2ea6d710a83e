#include "command_line.hpp"
#include "dialogs.hpp"
#include "frmVelox.hpp"
#include "identity.hpp"
#include "list_dialog.hpp"
#include "messages.hpp"
#include "saving.hpp"
#include "scripted_port.hpp"
#include "test_folder.hpp"
#include "texts.hpp"
#include "window_data.hpp"
#include "window_layout.hpp"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeView>
#include <QtTest>
#include <fcntl.h>
#include <functional>
#include <sys/file.h>

using namespace garagon;
using namespace garagon::test;

namespace {

struct ShownMessage {
    QString title;
    QString text;
};

// What a control shows as its caption: a list its name, a selector none.
QString captionOf(const QWidget* widget) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        return button->text();
    }
    if (const auto* frame = qobject_cast<const QGroupBox*>(widget)) {
        return frame->title();
    }
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        return label->text();
    }
    return qobject_cast<const QTreeView*>(widget) != nullptr ? widget->accessibleName() : QString{};
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TestFolder> folder;
    Script dialogs;
    std::unique_ptr<frmVelox> window;
    QString savegame;

    void start(const char* catalogueText = catalogue) {
        if (catalogueText != nullptr) {
            writeFile(folder->file("Cardata.txt"), catalogueText);
        }
        window = std::make_unique<ScriptedPort<frmVelox>>(dialogs);
        if (!window->Form_Load(loadCatalogueAhead(folder->path()).get())) {
            window.reset();
            return;
        }
        window->show();
    }

    template <class Control> Control* control(const char* name) {
        auto* found = window->findChild<Control*>(QString::fromLatin1(name));
        if (found == nullptr) {
            qFatal("no control %s", name);
        }
        return found;
    }

    void click(const char* name) { control<QAbstractButton>(name)->click(); }

    void open(const QString& path) {
        dialogs.paths.push_back(path.toStdString());
        click("cmdOpen");
    }

    QStringList column(int index) {
        QStringList texts;
        const QAbstractItemModel* rows = control<QTreeView>("lvCars")->model();
        for (int i = 0; i < rows->rowCount(); ++i) {
            texts.append(rows->index(i, index).data().toString());
        }
        return texts;
    }

    int rowCount() { return control<QTreeView>("lvCars")->model()->rowCount(); }

    // Marks a row in addition to those marked, as a Ctrl+click would.
    void markRow(int row) {
        auto* list = control<QTreeView>("lvCars");
        list->selectionModel()->select(list->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    QList<ShownMessage> shownMessages() const {
        QList<ShownMessage> shown;
        for (const auto& [title, text] : dialogs.messages) {
            shown.append({QString::fromStdString(title), QString::fromStdString(text)});
        }
        return shown;
    }

    // The backup dialogs shown: title, then "name: difference" per row.
    QList<QStringList> shownBackups() const {
        QList<QStringList> shown;
        for (const auto& list : dialogs.lists) {
            QStringList texts{QString::fromStdString(list.front())};
            for (std::size_t row = 2; row < list.size(); ++row) {
                texts.append(QString::fromStdString(list[row]));
            }
            shown.append(texts);
        }
        return shown;
    }

    // Enabled states of cmdOpen, cmbCars, cmdReplace and cmdSave.
    QList<bool> states() {
        return {control<QWidget>("cmdOpen")->isEnabled(), control<QWidget>("cmbCars")->isEnabled(),
                control<QWidget>("cmdReplace")->isEnabled(),
                control<QWidget>("cmdSave")->isEnabled()};
    }

    // Ends whatever modal window is open, so that a wrong one cannot hang the test.
    static void closeModal() {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
        }
    }

    bool firstRowSelected() {
        auto* list = control<QTreeView>("lvCars");
        return rowCount() > 0 && list->selectionModel()->isRowSelected(0);
    }

    // Runs the action once, on the next modal dialog that opens; for keys, once the
    // keyboard focus has reached it.
    void onNextModal(std::function<void(QWidget*)> action, bool forKeys = false) {
        auto* poll = new QTimer(this);
        QWidget* before = QApplication::activeModalWidget();
        connect(poll, &QTimer::timeout, this, [poll, before, action, forKeys] {
            QWidget* modal = QApplication::activeModalWidget();
            const bool ready =
                !forKeys || (modal && modal->isAncestorOf(QApplication::focusWidget()));
            if (modal != nullptr && modal != before && ready) {
                poll->deleteLater();
                poll->stop();
                action(modal);
            }
        });
        poll->start(10);
    }

    // A key press sent where the user's keys go: to the widget that has the focus.
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }

    // A window manager gives the window back the keyboard, at the control that had it,
    // once a dialog has closed; the offscreen platform has none, so the test does it.
    void activatedAgain() {
        QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        window->focusWidget()->setFocus(Qt::ActiveWindowFocusReason);
    }

    static QString focused() {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }

  private slots:
    // The program always runs with its identity and Qt's German texts.
    void initTestCase() { applyProgramIdentity(); }

    void init() {
        folder = std::make_unique<TestFolder>();
        dialogs = Script{};
        savegame = QString::fromStdString(folder->file("save1.dat"));
        writeFile(savegame.toStdString(), demoSavegame());
    }

    void cleanup() { window.reset(); }

    // Every control as declared: caption, font, frame and place, at 15 twips a pixel; Label1
    // shows the disclaimer, a list its caption as its name.
    void startUpShowsTheLayoutAndTheCatalogue() {
        start();
        QCOMPARE(window->objectName(), QString::fromLatin1(layouts::window.name));
        QCOMPARE(window->windowTitle(), QStringLiteral(GARAGON_TITLE("Kein Spielstand geladen")));
        QCOMPARE(window->size(), QSize(647, 426));
        for (const DeclaredControl& declared : layouts::window.controls) {
            auto* widget = control<QWidget>(declared.name);
            const Place& at = declared.place;
            QCOMPARE(widget->geometry(),
                     QRect(at.left / 15, at.top / 15, at.width / 15, at.height / 15));
            const char* frame =
                declared.frame == inWindow ? "frmVelox" : layouts::window[declared.frame].name;
            QCOMPARE(widget->parentWidget()->objectName(), QString::fromLatin1(frame));
            QCOMPARE(widget->font().bold(), declared.bold);
            QCOMPARE(captionOf(widget), declared.id == id(Control::Label1)
                                            ? QString::fromUtf8(texts::Disclaimer)
                                            : QString::fromUtf8(declared.caption));
        }
        auto* cars = control<QComboBox>("cmbCars");
        QCOMPARE(cars->count(), 3);
        QCOMPARE(cars->itemText(0), QStringLiteral("Möwe"));
        QCOMPARE(cars->itemText(1), QStringLiteral("Euro €"));
        QCOMPARE(cars->currentIndex(), 0);
        QVERIFY(!cars->isEditable());
        QCOMPARE(states(), (QList<bool>{true, true, true, false}));
        QVERIFY(control<QRadioButton>("optShop")->isChecked());
        QCOMPARE(rowCount(), 0);
        QVERIFY(shownMessages().isEmpty());
        QCOMPARE(control<QWidget>("cmdSave")->accessibleName(),
                 QStringLiteral("Änderungen speichern"));
        QCOMPARE(cars->accessibleDescription(), QStringLiteral("Markierten Wagen ersetzen durch:"));
    }

    void onlyTheCarColumnIsVisible() {
        start();
        auto* list = control<QTreeView>("lvCars");
        QCOMPARE(list->model()->headerData(0, Qt::Horizontal), QStringLiteral("Wagen"));
        QCOMPARE(list->model()->headerData(3, Qt::Horizontal), QStringLiteral("vor - hinter"));
        QCOMPARE(list->columnWidth(0), 180);
        for (int column = 1; column < 4; ++column) {
            QCOMPARE(list->header()->sectionSize(column), 0);
        }
        QVERIFY(!list->header()->stretchLastSection());
        QVERIFY(!list->rootIsDecorated());
    }

    void theFontIsArial() {
        start();
        QCOMPARE(window->font().family(), QStringLiteral("Arial"));
        QCOMPARE(window->font().pointSizeF(), 9.75);
    }

    void focusOrderAndIconAndIdentity() {
        start();
        QStringList expected;
        for (const DeclaredControl& declared : layouts::window.controls) {
            if (takesFocus(declared.kind)) {
                expected.append(QString::fromLatin1(declared.name));
            }
        }
        QStringList chain;
        QWidget* widget = control<QWidget>("cmdOpen");
        do {
            if (expected.contains(widget->objectName()) && !chain.contains(widget->objectName())) {
                chain.append(widget->objectName());
            }
            widget = widget->nextInFocusChain();
        } while (widget != control<QWidget>("cmdOpen"));
        QCOMPARE(chain, expected);
        QCOMPARE(window->focusWidget(), control<QWidget>("cmdOpen"));
        const auto sizes = window->windowIcon().availableSizes();
        QVERIFY(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(32, 32)));
        // Sharp on a screen of twice the density: the 32 image itself, not the 16 one enlarged.
        QImage doubled = window->windowIcon().pixmap(QSize(16, 16), 2.0).toImage();
        doubled.setDevicePixelRatio(1.0);
        QCOMPARE(doubled, window->windowIcon().pixmap(QSize(32, 32), 1.0).toImage());

        QCOMPARE(QApplication::applicationName(), QStringLiteral("Garagon"));
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("example.garagon.Garagon"));
        QCOMPARE(QApplication::applicationVersion(), QStringLiteral(GARAGON_PRODUCT_VERSION));
        QCOMPARE(QLocale().name(), QStringLiteral("de_DE"));
    }

    void aMissingCatalogueEndsWithItsMessage() {
        start(nullptr);
        QVERIFY(!window);
        QCOMPARE(shownMessages().size(), 1);
        QCOMPARE(shownMessages()[0].title, QStringLiteral("Fehler"));
        QCOMPARE(shownMessages()[0].text, QStringLiteral("Die Wagenliste wurde nicht gefunden!"));
    }

    void anEmptyCatalogueLeavesOnlyExitAndOptions() {
        start("");
        QCOMPARE(states(), (QList<bool>{false, false, false, false}));
        QVERIFY(control<QWidget>("cmdExit")->isEnabled());
        click("optMY");
        QCOMPARE(rowCount(), 0);
        QVERIFY(shownMessages().isEmpty());
    }

    void badCatalogueLinesAreReportedOnceAndTheRestWorks() {
        start("0102030405060708 = M\xF6we\r\nXX02030405060708 = Kaputt\r\n2122232425262728 = "
              "Dritter\r\n");
        QCOMPARE(shownMessages().size(), 1);
        QCOMPARE(shownMessages()[0].title, QStringLiteral("Fehler"));
        QVERIFY(shownMessages()[0].text.contains(QStringLiteral("Zeile 2")));
        auto* cars = control<QComboBox>("cmbCars");
        QCOMPARE(cars->count(), 2);
        open(savegame);
        cars->setCurrentIndex(1); // "Dritter", the entry after the rejected line
        click("cmdReplace");
        QCOMPARE(column(0), QStringList{"Dritter"});
        QCOMPARE(column(2), QStringList{"01004"});
    }

    void openingASavegameListsItsShopCars() {
        start();
        open(savegame);
        QCOMPARE(window->windowTitle(), QStringLiteral(GARAGON_TITLE("save1.dat")));
        QCOMPARE(column(0), (QStringList{"Möwe", "Euro €"}));
        QCOMPARE(column(1), (QStringList{"001", "002"}));
        QCOMPARE(column(2), (QStringList{"01004", "02004"}));
        QCOMPARE(column(3)[0], QStringLiteral("EEEEEEEEEEEEEEEE - 01EEEEEE"));
        QVERIFY(firstRowSelected());
        QCOMPARE(states(), (QList<bool>{true, true, true, false}));
    }

    void categoriesSearchAgainAndSwitchingBackGivesTheSameRows() {
        start();
        open(savegame);
        click("optBuyed");
        QCOMPARE(column(0), QStringList{"Dritter"});
        click("optMY");
        QCOMPARE(column(2), (QStringList{"04004", "05004"}));
        markRow(1);
        click("optShop");
        QCOMPARE(column(2), (QStringList{"01004", "02004"}));
        QVERIFY(firstRowSelected());
    }

    void filesOfTheWrongSizeOrMissingFilesAreRejected() {
        start();
        open(savegame);
        const auto shortFile = folder->file("kurz.dat");
        writeFile(shortFile, Bytes(63595, 0));
        open(QString::fromStdString(shortFile));
        QCOMPARE(shownMessages().size(), 1);
        QCOMPARE(shownMessages()[0].title, QStringLiteral("Fehler"));
        QCOMPARE(shownMessages()[0].text,
                 QStringLiteral("Die gewählte Datei ist kein Tarvo-Spielstand!"));
        QCOMPARE(window->windowTitle(), QStringLiteral(GARAGON_TITLE("kurz.dat")));
        QCOMPARE(states(), (QList<bool>{true, true, false, false}));
        // The earlier savegame is gone from memory: nothing can be listed or saved.
        click("optMY");
        QCOMPARE(column(0), QStringList{});
        QVERIFY(!control<QWidget>("cmdReplace")->isEnabled());

        open(QString::fromStdString(folder->file("fehlt.dat")));
        QCOMPARE(shownMessages().last().text,
                 QStringLiteral("Spielstand konnte nicht geladen werden!"));
        QCOMPARE(window->windowTitle(), QStringLiteral(GARAGON_TITLE("fehlt.dat")));
    }

    void cancellingTheFileDialogChangesNothing() {
        start();
        open(savegame);
        click("cmdOpen"); // no answer queued: cancelled
        QCOMPARE(window->windowTitle(), QStringLiteral(GARAGON_TITLE("save1.dat")));
        QCOMPARE(column(0).size(), 2);
        QCOMPARE(states(), (QList<bool>{true, true, true, false}));
    }

    void replacingAndSavingChangesExactlyTheMarkedCode() {
        start();
        open(savegame);
        auto* list = control<QTreeView>("lvCars");
        list->setCurrentIndex(list->model()->index(1, 0)); // Euro at 2004
        control<QComboBox>("cmbCars")->setCurrentIndex(2); // Dritter
        click("cmdReplace");
        QCOMPARE(column(0), (QStringList{"Möwe", "Dritter"}));
        QCOMPARE(column(2), (QStringList{"01004", "02004"}));
        QVERIFY(firstRowSelected());
        QCOMPARE(states(), (QList<bool>{true, true, true, true}));

        click("cmdSave");
        QCOMPARE(shownMessages().size(), 1);
        QCOMPARE(shownMessages()[0].title, QStringLiteral("Gespeichert"));
        QVERIFY(shownMessages()[0].text.contains(savegame + QStringLiteral(".~1\r\n gesichert.")));
        QVERIFY(!control<QWidget>("cmdSave")->isEnabled());
        const Bytes original = demoSavegame();
        QCOMPARE(readFile(savegame.toStdString() + ".~1"), original);
        Bytes expected = original;
        std::copy(codeC.begin(), codeC.end(), expected.begin() + 2003);
        QCOMPARE(readFile(savegame.toStdString()), expected);
    }

    // Shift+F10 opens the context menu wherever the focus is; its entry, by its access
    // key, lists the backups, and the one chosen there undoes the saved swap.
    void aSavedSwapIsUndoneFromTheContextMenu() {
        start();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        auto* menu = control<QMenu>("contextMenu");
        press(Qt::Key_F10, Qt::ShiftModifier);
        QVERIFY(menu->isVisible());
        QVERIFY(!menu->actions()[2]->isEnabled()); // "Sicherungen…": no savegame chosen yet
        menu->close();
        open(savegame);
        control<QTreeView>("lvCars")->setCurrentIndex(
            control<QTreeView>("lvCars")->model()->index(1, 0));
        control<QComboBox>("cmbCars")->setCurrentIndex(2);
        click("cmdReplace");
        click("cmdSave");
        activatedAgain();
        control<QWidget>("cmbCars")->setFocus();
        dialogs.rowAnswers.push_back(0);
        press(Qt::Key_F10, Qt::ShiftModifier);
        QVERIFY(menu->isVisible());
        QTest::keyClick(menu, Qt::Key_H);
        QTRY_COMPARE(shownBackups().size(), 1);
        QCOMPARE(shownBackups()[0],
                 (QStringList{"Sicherungen von save1.dat",
                              "save1.dat.~1: 1 Wagen anders: Ladenwagen Dritter → Euro €"}));
        QCOMPARE(shownMessages().last().title, QStringLiteral("Wiederhergestellt"));
        QCOMPARE(column(0), (QStringList{"Möwe", "Euro €"}));
        QVERIFY(firstRowSelected());
        QCOMPARE(states(), (QList<bool>{true, true, true, false}));
        QCOMPARE(window->windowTitle(), QStringLiteral(GARAGON_TITLE("save1.dat")));
        QCOMPARE(readFile(savegame.toStdString()), demoSavegame());
        QCOMPARE(readFile(savegame.toStdString() + ".~1"), demoSavegame());
        QCOMPARE(readFile(savegame.toStdString() + ".~2")[2003], codeC[0]);
    }

    // Ctrl+Z and Ctrl+Y walk the replacements, mark the record of each step and name it in
    // the context menu; the version on disk leaves nothing to save; Ctrl+S saves.
    void undoAndRedoByKeysAndByTheMenu() {
        start();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        open(savegame);
        auto* list = control<QTreeView>("lvCars");
        const auto replace = [&](int row, int car) {
            list->setCurrentIndex(list->model()->index(row, 0));
            control<QComboBox>("cmbCars")->setCurrentIndex(car);
            click("cmdReplace");
        };
        const auto marked = [&] { return list->selectionModel()->selectedRows().value(0).row(); };
        replace(1, 2);
        replace(0, 1);
        QCOMPARE(column(0), (QStringList{"Euro €", "Dritter"}));
        press(Qt::Key_Z, Qt::ControlModifier);
        press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(column(0), (QStringList{"Möwe", "Euro €"}));
        QCOMPARE(marked(), 1); // the record at 2004, taken back last
        QCOMPARE(states()[3], false);
        press(Qt::Key_Z, Qt::ControlModifier | Qt::AltModifier); // no such key: nothing
        press(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(column(0), (QStringList{"Möwe", "Dritter"}));
        QCOMPARE(marked(), 1);
        QCOMPARE(states()[3], true);
        auto* menu = control<QMenu>("contextMenu");
        press(Qt::Key_F10, Qt::ShiftModifier);
        QVERIFY(menu->isVisible());
        QCOMPARE(menu->actions()[0]->text(),
                 QStringLiteral("&Rückgängig: Ersetzen von Euro € durch Dritter"));
        QCOMPARE(menu->actions()[1]->text(),
                 QStringLiteral("Wiederh&olen: Ersetzen von Möwe durch Euro €"));
        QTest::keyClick(menu, Qt::Key_O);
        QCOMPARE(column(0), (QStringList{"Euro €", "Dritter"}));
        QCOMPARE(marked(), 0);
        press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); // nothing left to redo
        QCOMPARE(column(0), (QStringList{"Euro €", "Dritter"}));
        press(Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(shownMessages().last().title, QStringLiteral("Gespeichert"));
        Bytes expected = demoSavegame();
        std::copy(codeEuro.begin(), codeEuro.end(), expected.begin() + 1003);
        std::copy(codeC.begin(), codeC.end(), expected.begin() + 2003);
        QCOMPARE(readFile(savegame.toStdString()), expected);
        QCOMPARE(states()[3], false);
    }

    // The real dialog: the newest backup comes first and is marked, the arrows move the
    // mark, Return restores the marked one and Escape closes it.
    void theRealBackupDialogIsKeyboardOperable() {
        writeFile(savegame.toStdString() + ".~1", demoSavegame());
        writeFile(savegame.toStdString() + ".~2", Bytes(10, 0));
        const std::vector<WagenEintrag> cars{{"M\xF6we", codeMoewe}};
        const CodeIndex index(cars);
        const BackupChoice choice(savegame.toStdString(), findBackups(savegame.toStdString()), true,
                                  index, cars);
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
            QString title, warning, defaultButton;
            QStringList rows;
            onNextModal(
                [&](QWidget* dialog) {
                    title = dialog->windowTitle();
                    warning = dialog->findChild<QLabel*>("unsavedWarning")->text();
                    for (auto* button : dialog->findChildren<QPushButton*>()) {
                        defaultButton += button->isDefault() ? button->text() : QString();
                    }
                    const auto* model = dialog->findChild<QTreeView*>("backupList")->model();
                    for (int row = 0; row < model->rowCount(); ++row) {
                        rows.append(model->index(row, 0).data().toString() + ": " +
                                    model->index(row, 2).data().toString());
                    }
                    press(Qt::Key_Down);
                    press(key);
                },
                true);
            BackupsDialog dialog(choice);
            const auto chosen = chooseFromList(nullptr, dialog);
            QCOMPARE(title, QStringLiteral("Sicherungen von save1.dat"));
            QCOMPARE(warning, QString::fromUtf8(texts::UnsavedWarning));
            QCOMPARE(defaultButton, QStringLiteral("Wiederherstellen"));
            QCOMPARE(rows,
                     (QStringList{"save1.dat.~2: kein Tarvo-Spielstand", "save1.dat.~1: gleich"}));
            QCOMPARE(chosen, key == Qt::Key_Return ? std::optional<std::size_t>(1) : std::nullopt);
        }
    }

    // Ctrl+F from anywhere in the window: the mark follows the typed words, Return
    // chooses the marked car for the selector and moves on to "Ersetzen"; with no match
    // nothing can be chosen, and Escape changes nothing.
    void aCarFoundBySearchIsChosenInTheSelector() {
        start();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        open(savegame);
        activatedAgain();
        dialogs.realSearch = true;
        control<QWidget>("lvCars")->setFocus();
        QStringList seen;
        QSize size;
        onNextModal(
            [&](QWidget* dialog) {
                size = dialog->size();
                seen << dialog->windowTitle() << focused();
                QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("EURO"));
                seen << dialog->findChild<QLabel*>("matchCount")->text();
                press(Qt::Key_Up);
                seen << focused();
                press(Qt::Key_Return);
            },
            true);
        press(Qt::Key_F, Qt::ControlModifier);
        QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
        QCOMPARE(seen, (QStringList{"Wagen suchen", "searchText", "1 von 3 Wagen", "searchText"}));
        QCOMPARE(size, QSize(560, 432)); // as on Windows
        QCOMPARE(control<QComboBox>("cmbCars")->currentIndex(), 1);
        QCOMPARE(window->focusWidget()->objectName(), QStringLiteral("cmdReplace"));

        activatedAgain();
        bool choosable = true;
        int rows = -1;
        onNextModal(
            [&](QWidget* dialog) {
                QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("gibt es nicht"));
                choosable = dialog->findChild<QPushButton*>("chooseButton")->isEnabled();
                rows = dialog->findChild<QTreeView*>("carList")->model()->rowCount();
                seen << dialog->findChild<QLabel*>("matchCount")->text();
                press(Qt::Key_Escape);
            },
            true);
        press(Qt::Key_F, Qt::ControlModifier);
        QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
        QVERIFY(!choosable);
        QCOMPARE(rows, 0);
        QCOMPARE(seen.last(), QStringLiteral("Kein Wagen passt (0 von 3 Wagen)"));
        QCOMPARE(control<QComboBox>("cmbCars")->currentIndex(), 1);
    }

    void onlyTheFirstMarkedRowCounts() {
        start();
        open(savegame);
        control<QTreeView>("lvCars")->clearSelection();
        markRow(1);
        markRow(0);
        control<QComboBox>("cmbCars")->setCurrentIndex(2);
        click("cmdReplace");
        QCOMPARE(column(0), (QStringList{"Euro €", "Dritter"}));
        QCOMPARE(column(2), (QStringList{"02004", "01004"}));
    }

    void replacingWithoutAMarkedRowIsRefused() {
        start();
        click("cmdReplace");
        QCOMPARE(shownMessages().size(), 1);
        QCOMPARE(shownMessages()[0].text,
                 QStringLiteral("Es wurde kein zu ersetzendes Auto gewählt!"));
        open(savegame);
        control<QTreeView>("lvCars")->clearSelection();
        click("cmdReplace");
        QCOMPARE(shownMessages().size(), 2);
        QVERIFY(!control<QWidget>("cmdSave")->isEnabled());
    }

    void replacingWithoutAChosenCarIsRefused() {
        start();
        open(savegame);
        control<QComboBox>("cmbCars")->setCurrentIndex(-1);
        click("cmdReplace");
        QCOMPARE(shownMessages().size(), 1);
        QCOMPARE(shownMessages()[0].title, QStringLiteral("Fehler"));
        QCOMPARE(shownMessages()[0].text, QStringLiteral("Es wurde kein neues Auto gewählt!"));
        QCOMPARE(column(0), (QStringList{"Möwe", "Euro €"}));
        QVERIFY(!control<QWidget>("cmdSave")->isEnabled());
    }

    void aCodeThatIsNotEightBytesIsRefused() {
        start("0102030405060708 = M\xF6we\r\n01020304 = Kurz\r\n");
        open(savegame);
        control<QComboBox>("cmbCars")->setCurrentIndex(1);
        click("cmdReplace");
        QCOMPARE(shownMessages().size(), 1);
        QCOMPARE(shownMessages()[0].title, QStringLiteral("Fehler"));
        QCOMPARE(shownMessages()[0].text, QString::fromUtf8(messages::WrongCodeLength));
        QCOMPARE(column(0), QStringList{"Möwe"});
        QVERIFY(!control<QWidget>("cmdSave")->isEnabled());
    }

    void aFailedSaveKeepsTheOldFileAndCanBeRetried() {
        start();
        open(savegame);
        control<QComboBox>("cmbCars")->setCurrentIndex(2);
        click("cmdReplace");
        // Another program saving into the folder holds it for longer than a save waits.
        const int held = ::open(folder->path().c_str(), O_RDONLY | O_DIRECTORY);
        QCOMPARE(::flock(held, LOCK_EX), 0);
        click("cmdSave");
        ::close(held);
        QCOMPARE(shownMessages().last().title, QStringLiteral("Fehler"));
        QVERIFY(shownMessages().last().text.contains(QStringLiteral("Ein anderes Programm")));
        QVERIFY(shownMessages().last().text.contains(QStringLiteral("unverändert")));
        QVERIFY(control<QWidget>("cmdSave")->isEnabled());
        QCOMPARE(readFile(savegame.toStdString()), demoSavegame());

        click("cmdSave");
        QCOMPARE(shownMessages().last().title, QStringLiteral("Gespeichert"));
        QVERIFY(!control<QWidget>("cmdSave")->isEnabled());
    }

    void theRealFileDialogSpeaksGermanAndReopensInTheLastFolder() {
        QString title, name, lookIn, fileName, open, cancel;
        QStringList filters;
        onNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (dialog == nullptr) {
                return closeModal();
            }
            title = dialog->windowTitle();
            name = dialog->objectName();
            filters = dialog->nameFilters();
            lookIn = dialog->findChild<QLabel*>(QStringLiteral("lookInLabel"))
                         ->text()
                         .remove(QLatin1Char('&'));
            fileName = dialog->findChild<QLabel*>(QStringLiteral("fileNameLabel"))
                           ->text()
                           .remove(QLatin1Char('&'));
            auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
            open = buttons->button(QDialogButtonBox::Open)->text().remove(QLatin1Char('&'));
            cancel = buttons->button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&'));
            dialog->setDirectory(folder->path().c_str());
            // The dialog fills in a chosen file only where the user is not typing one.
            dialog->findChild<QWidget*>(QStringLiteral("fileNameEdit"))->clearFocus();
            dialog->selectFile(savegame);
            buttons->button(QDialogButtonBox::Open)->click();
        });
        QString lastFolder;
        QCOMPARE(chooseFile(nullptr, lastFolder), savegame);
        QCOMPARE(title, QStringLiteral("Tarvo Spielstand laden"));
        QCOMPARE(name, QStringLiteral("ComDia"));
        QVERIFY(filters.isEmpty() || filters == QStringList{QStringLiteral("Alle Dateien (*)")});
        QCOMPARE(lookIn, QStringLiteral("Suchen in:"));
        QCOMPARE(fileName, QStringLiteral("Dateiname:"));
        QCOMPARE(open, QStringLiteral("Öffnen"));
        QCOMPARE(cancel, QStringLiteral("Abbrechen"));

        QString reopenedIn;
        onNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            reopenedIn = dialog ? dialog->directory().absolutePath() : QString();
            closeModal();
        });
        QCOMPARE(chooseFile(nullptr, lastFolder), QString());
        QCOMPARE(reopenedIn, QString::fromStdString(folder->path().string()));
    }

    void theRealMessageBoxHasTheInformationIconAndOneOkButton() {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString title, text;
        qsizetype buttons = 0;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                return closeModal();
            }
            icon = box->icon();
            title = box->windowTitle();
            text = box->text();
            buttons = box->buttons().size();
            box->button(QMessageBox::Ok)->click();
        });
        showMessageBox(nullptr, QStringLiteral("Fehler"), QStringLiteral("Zeile 1\r\nZeile 2"));
        QCOMPARE(icon, QMessageBox::Information);
        QCOMPARE(title, QStringLiteral("Fehler"));
        QCOMPARE(text, QStringLiteral("Zeile 1\r\nZeile 2"));
        QCOMPARE(buttons, 1);
    }

    // The question: warning icon, the three German buttons with "Speichern" the default,
    // and each key its answer, Escape "Abbrechen".
    void theRealQuestionAnswersByItsButtonsAndKeys() {
        const struct {
            Qt::Key key;
            SaveAnswer answer;
        } cases[] = {{Qt::Key_Return, SaveAnswer::Save}, {Qt::Key_Escape, SaveAnswer::Cancel}};
        for (const auto& [key, answer] : cases) {
            QMessageBox::Icon icon = QMessageBox::NoIcon;
            QStringList captions;
            QTimer::singleShot(0, [&, key = key] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (box == nullptr) {
                    return closeModal();
                }
                icon = box->icon();
                for (const QAbstractButton* button : box->buttons()) {
                    captions.append(button->text());
                }
                captions.append(box->defaultButton()->text());
                QTest::keyClick(box, key);
            });
            QCOMPARE(askSaveQuestion(nullptr, QStringLiteral("Garagon"), QStringLiteral("?")),
                     answer);
            QCOMPARE(icon, QMessageBox::Warning);
            captions.sort();
            QCOMPARE(captions,
                     (QStringList{"Abbrechen", "Nicht speichern", "Speichern", "Speichern"}));
        }
        QTimer::singleShot(0, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            for (QAbstractButton* button :
                 box != nullptr ? box->buttons() : QList<QAbstractButton*>{}) {
                if (button->text() == QStringLiteral("Nicht speichern")) {
                    button->click();
                }
            }
            closeModal();
        });
        QCOMPARE(askSaveQuestion(nullptr, QStringLiteral("Garagon"), QStringLiteral("?")),
                 SaveAnswer::DontSave);
    }

    void aRoundTripByKeysAlone() {
        writeFile(folder->file("Cardata.txt"), catalogue);
        window = std::make_unique<frmVelox>();
        QVERIFY(window->Form_Load(loadCatalogueAhead(folder->path()).get()));
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QCOMPARE(focused(), QStringLiteral("cmdOpen"));

        const bool forKeys = true;
        onNextModal(
            [this](QWidget*) { // the file dialog: type the path, Enter
                QTest::keyClicks(QApplication::focusWidget(), savegame);
                press(Qt::Key_Return);
            },
            forKeys);
        press(Qt::Key_Space);
        QCOMPARE(window->windowTitle(), QStringLiteral(GARAGON_TITLE("save1.dat")));
        activatedAgain();
        QCOMPARE(focused(), QStringLiteral("cmdOpen"));
        press(Qt::Key_Tab);
        QCOMPARE(focused(), QStringLiteral("lvCars"));
        press(Qt::Key_Down); // Euro at 2004
        press(Qt::Key_Tab);
        QCOMPARE(focused(), QStringLiteral("cmbCars"));
        press(Qt::Key_Down);
        press(Qt::Key_Down); // Dritter
        press(Qt::Key_Tab);
        press(Qt::Key_Space); // Ersetzen
        QCOMPARE(column(0), (QStringList{"Möwe", "Dritter"}));
        press(Qt::Key_Tab);
        QCOMPARE(focused(), QStringLiteral("cmdSave"));
        QString confirmation;
        onNextModal(
            [&](QWidget* box) { // the confirmation: Enter
                confirmation = box->windowTitle();
                press(Qt::Key_Return);
            },
            forKeys);
        press(Qt::Key_Space);
        QCOMPARE(confirmation, QStringLiteral("Gespeichert"));
        activatedAgain(); // "Änderungen speichern" is disabled now: the focus moved on
        QCOMPARE(focused(), QStringLiteral("cmdExit"));
        press(Qt::Key_Space);
        QVERIFY(!window->isVisible());

        Bytes expected = demoSavegame();
        QCOMPARE(readFile(savegame.toStdString() + ".~1"), expected);
        std::copy(codeC.begin(), codeC.end(), expected.begin() + 2003);
        QCOMPARE(readFile(savegame.toStdString()), expected);
    }

    void theOptionsAreOneTabStopAtTheCheckedOption() {
        start();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        open(savegame);
        control<QWidget>("cmdExit")->setFocus();
        press(Qt::Key_Tab);
        QCOMPARE(focused(), QStringLiteral("optShop"));
        press(Qt::Key_Down); // the arrow keys move within the group and choose
        QCOMPARE(focused(), QStringLiteral("optBuyed"));
        QVERIFY(control<QRadioButton>("optBuyed")->isChecked());
        QCOMPARE(column(0), QStringList{"Dritter"});
        press(Qt::Key_Tab);
        QCOMPARE(focused(), QStringLiteral("cmdOpen"));
        press(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(focused(), QStringLiteral("optBuyed"));
        press(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(focused(), QStringLiteral("cmdExit"));
    }

    void aDroppedSavegameOpensAsIfChosen() {
        start();
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile(savegame)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &files, Qt::LeftButton, {});
        QApplication::sendEvent(window.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &files, Qt::LeftButton, {});
        QApplication::sendEvent(window.get(), &drop);
        QTRY_COMPARE(window->windowTitle(), QStringLiteral(GARAGON_TITLE("save1.dat")));
        QCOMPARE(column(2), (QStringList{"01004", "02004"}));

        files.setUrls({QUrl::fromLocalFile(savegame), QUrl::fromLocalFile(savegame)});
        QDragEnterEvent two(QPoint(10, 10), Qt::CopyAction, &files, Qt::LeftButton, {});
        QApplication::sendEvent(window.get(), &two);
        QVERIFY(!two.isAccepted());

        // Over unsaved replacements, the question comes once the drop has completed.
        control<QComboBox>("cmbCars")->setCurrentIndex(2);
        click("cmdReplace");
        files.setUrls({QUrl::fromLocalFile(savegame)});
        QApplication::sendEvent(window.get(), &enter);
        QApplication::sendEvent(window.get(), &drop);
        QVERIFY(dialogs.questions.empty());
        QTRY_COMPARE(dialogs.questions.size(), 1u);
        QCOMPARE(states()[3], true); // cancelled: still there to save
    }

    // On Windows every argument is a path, whatever it begins with.
    void theCommandLineFollowsTheUsualConventions() {
        using Action = CommandLine::Action;
        const auto paths = Syntax::PathOnly;
        const struct {
            QStringList arguments;
            Action action;
            QString savegame;
            Syntax syntax = Syntax::OptionsAndPath;
        } cases[] = {
            {{}, Action::Run, {}},
            {{"a.sav"}, Action::Run, "a.sav"},
            {{"--", "-a.sav"}, Action::Run, "-a.sav"},
            {{"-h"}, Action::Help, {}},
            {{"a.sav", "--help"}, Action::Help, {}},
            {{"--version"}, Action::Version, {}},
            {{"--", "--help"}, Action::Run, "--help"},
            {{"--bunt"}, Action::Error, {}},
            {{"a.sav", "b.sav"}, Action::Error, {}},
            {{"--help"}, Action::Run, "--help", paths},
            {{"--"}, Action::Run, "--", paths},
            {{"-h", "a.sav"}, Action::Error, {}, paths},
        };
        for (const auto& [arguments, action, path, syntax] : cases) {
            std::vector<std::string> words;
            for (const QString& argument : arguments) {
                words.push_back(argument.toStdString());
            }
            const auto parsed = parseCommandLine(words, syntax);
            QCOMPARE(parsed.action, action);
            QCOMPARE(QString::fromStdString(parsed.savegame), path);
        }
    }

    // The program itself: help without a display, errors on standard error with code 2.
    void theProgramAnswersItsCommandLine() {
        const struct {
            QStringList arguments;
            int exitCode;
            QString output;
            QString error;
        } cases[] = {
            {{"--help"}, 0, "Aufruf: garagon [OPTION] [SPIELSTAND]", {}},
            {{"--version"}, 0, "Garagon " GARAGON_PRODUCT_VERSION, {}},
            {{"--bunt"}, 2, {}, "garagon: unbekannte Option „--bunt“"},
            {{"a.sav", "b.sav"}, 2, {}, "nicht auch „b.sav“"},
            {{"-platform", "offscreen", "a.sav", "b.sav"}, 2, {}, "nicht auch „b.sav“"},
        };
        for (const auto& [arguments, exitCode, output, error] : cases) {
            QProcess program;
            auto environment = QProcessEnvironment::systemEnvironment();
            environment.remove(QStringLiteral("DISPLAY"));
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
            program.setProcessEnvironment(environment);
            program.start(QStringLiteral(GARAGON_PROGRAM), arguments);
            QVERIFY(program.waitForFinished(10000));
            QCOMPARE(program.exitCode(), exitCode);
            QVERIFY(QString::fromUtf8(program.readAllStandardOutput()).contains(output));
            QVERIFY(QString::fromUtf8(program.readAllStandardError()).contains(error));
        }
    }

    // Unsaved replacements are asked about, whether by the button or the close box; each
    // answer does what it says.
    void exitClosesTheWindow() {
        start();
        QVERIFY(window->isVisible());
        click("cmdExit");
        QVERIFY(!window->isVisible());
        window->show();
        open(savegame);
        control<QComboBox>("cmbCars")->setCurrentIndex(2);
        click("cmdReplace");
        dialogs.saveAnswers = {SaveAnswer::Cancel};
        click("cmdExit");
        QVERIFY(window->isVisible());
        dialogs.saveAnswers = {SaveAnswer::Save};
        QVERIFY(window->close());
        QCOMPARE(dialogs.questions,
                 std::vector<std::string>(
                     2, "Die Änderungen an „save1.dat“ sind noch nicht gespeichert. Jetzt "
                        "speichern?"));
        QCOMPARE(readFile(savegame.toStdString() + ".~1"), demoSavegame());
        QVERIFY(readFile(savegame.toStdString()) != demoSavegame());
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
