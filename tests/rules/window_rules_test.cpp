#include "messages.hpp"
#include "scripted_port.hpp"
#include "test_folder.hpp"
#include "texts.hpp"
#include "window_data.hpp"
#include "window_layout.hpp"
#include "window_rules.hpp"

#include <array>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <tuple>
#include <utility>

using namespace garagon;
using namespace garagon::test;

namespace {

using Strings = std::vector<std::string>;

struct Window {
    TestFolder folder;
    Script port;
    ScriptedPort<NoView> view{port};
    WindowRules rules{view};
    std::filesystem::path savegame = folder.path() / "save1.dat";

    void open(const std::filesystem::path& path) {
        port.paths.push_back(path);
        rules.click(Control::cmdOpen);
    }
    // Marks the row and chooses the car (-1: none), then clicks "Ersetzen".
    void replace(std::optional<std::size_t> row, int car) {
        view.marked = row;
        view.chosen = car;
        rules.click(Control::cmdReplace);
    }
    std::vector<std::string> column(int index) const {
        std::vector<std::string> texts;
        for (std::size_t row = 0; row < rules.rowCount(); ++row) {
            texts.push_back(rules.cellText(row, index));
        }
        return texts;
    }
    // The backup dialogs shown: title, warning, "name: difference" each, joined by " | ".
    Strings dialogs() const {
        Strings shown;
        for (const auto& list : port.lists) {
            std::string joined = list.front();
            for (std::size_t i = 1; i < list.size(); ++i) {
                joined += " | " + list[i];
            }
            shown.push_back(joined);
        }
        return shown;
    }
    // cmdOpen, cmbCars, cmdReplace, cmdSave
    std::vector<bool> states() const {
        return {rules.isEnabled(Control::cmdOpen), rules.isEnabled(Control::cmbCars),
                rules.isEnabled(Control::cmdReplace), rules.isEnabled(Control::cmdSave)};
    }
};

struct Case {
    const char* what;
    const char* catalogue;
    std::function<void(Window&)> events;
    std::string title;
    std::vector<bool> states;
    Strings positions;
    Strings names;
    Strings messages;
    Control focusFromSave = Control::cmdSave;
    Strings dialogs = {};
};

const std::string noSavegame = GARAGON_TITLE("Kein Spielstand geladen");
const std::string save1 = GARAGON_TITLE("save1.dat");
const std::string error = std::string(texts::ErrorTitle) + ": ";

} // namespace

// The one check of the version itself; everything else takes it from the build.
TEST(WindowRules, TheProgramIsVersionOnePointOneWithFileVersionOnePointZeroOneZeroZeroZeroSeven) {
    EXPECT_STREQ(texts::TitlePrefix, "Garagon 1.1 ");
    EXPECT_STREQ(GARAGON_PRODUCT_VERSION, "1.01.0007");
}

// The window as it must look, written out once: each control in tab order with its
// caption, its frame and its place in twips. The views are checked against the declaration.
TEST(WindowRules, TheWindowIsDeclaredWithItsCaptionsTabOrderAndTwips) {
    const struct {
        const char* name;
        const char* caption;
        const char* frame;
        Place place;
    } expected[] = {
        {"cmdOpen", "Spielstand laden", "Frame1", {840, 5340, 3540, 495}},
        {"lvCars", "Gefundene Wagen", "Frame1", {240, 360, 4740, 3900}},
        {"cmbCars", "", "Frame2", {240, 600, 3540, 360}},
        {"cmdReplace", "Ersetzen", "Frame2", {240, 1200, 3540, 495}},
        {"cmdSave", "Änderungen speichern", "", {5760, 4650, 3540, 495}},
        {"cmdExit", "Programm beenden", "", {5760, 5580, 3540, 495}},
        {"Frame1", "Gefundene Wagen:", "", {120, 240, 5220, 6000}},
        {"Frame2", "Markierten Wagen ersetzen durch:", "", {5520, 240, 4020, 1935}},
        {"Label1", "Label1", "", {5520, 2520, 3975, 1800}},
        {"optBuyed", "\"Karrierewagen\" (keine gewonnenen)", "Frame1", {240, 4590, 4740, 315}},
        {"optMY", "\"Meine Wagen\"", "Frame1", {240, 4890, 4740, 315}},
        {"optShop", "\"Ladenwagen\"", "Frame1", {240, 4290, 4515, 315}},
    };
    const WindowLayout& window = layouts::window;
    EXPECT_EQ(std::pair(window.width, window.height), std::pair(9705, 6390));
    ASSERT_EQ(window.controls.size(), std::size(expected));
    for (std::size_t index = 0; index < std::size(expected); ++index) {
        const DeclaredControl& declared = window.controls[index];
        const auto& [name, caption, frame, place] = expected[index];
        SCOPED_TRACE(name);
        EXPECT_STREQ(declared.name, name);
        EXPECT_STREQ(declared.caption, caption);
        EXPECT_STREQ(declared.frame == inWindow ? "" : window[declared.frame].name, frame);
        EXPECT_EQ(std::tuple(declared.place.left, declared.place.top, declared.place.width,
                             declared.place.height),
                  std::tuple(place.left, place.top, place.width, place.height));
    }
}

TEST(WindowRules, EachEventGivesItsTitleStatesRowsMessagesAndFocus) {
    const Case cases[] = {
        {"start",
         catalogue,
         [](Window&) {},
         noSavegame,
         {true, true, true, false},
         {},
         {},
         {},
         Control::cmdExit},
        {"an empty catalogue leaves exit and options",
         "",
         [](Window& w) {
             w.rules.click(Control::optMY);
             w.open(w.savegame);
         },
         noSavegame,
         {false, false, false, false},
         {},
         {},
         {},
         Control::cmdExit},
        {"opening lists the shop cars",
         catalogue,
         [](Window& w) { w.open(w.savegame); },
         save1,
         {true, true, true, false},
         {"01004", "02004"},
         {"Möwe", "Euro €"},
         {},
         Control::cmdExit},
        {"a category searches again",
         catalogue,
         [](Window& w) {
             w.open(w.savegame);
             w.rules.click(Control::optBuyed);
         },
         save1,
         {true, true, true, false},
         {"03004"},
         {"Dritter"},
         {},
         Control::cmdExit},
        {"cancelling the dialog changes nothing",
         catalogue,
         [](Window& w) {
             w.open(w.savegame);
             w.rules.click(Control::cmdOpen);
         },
         save1,
         {true, true, true, false},
         {"01004", "02004"},
         {"Möwe", "Euro €"},
         {},
         Control::cmdExit},
        {"a file of the wrong size is refused and forgets the last",
         catalogue,
         [](Window& w) {
             w.open(w.savegame);
             writeFile(w.folder.file("kurz.dat"), Bytes(63595, 0));
             w.open(w.folder.path() / "kurz.dat");
             w.rules.click(Control::optMY);
         },
         GARAGON_TITLE("kurz.dat"),
         {true, true, false, false},
         {},
         {},
         {error + texts::NotASavegame},
         Control::cmdExit},
        {"a missing file is refused",
         catalogue,
         [](Window& w) { w.open(w.folder.path() / "fehlt.dat"); },
         GARAGON_TITLE("fehlt.dat"),
         {true, true, false, false},
         {},
         {},
         {error + texts::SavegameNotLoaded},
         Control::cmdExit},
        {"replacing lists the new car and enables saving",
         catalogue,
         [](Window& w) {
             w.open(w.savegame);
             w.replace(1, 2);
         },
         save1,
         {true, true, true, true},
         {"01004", "02004"},
         {"Möwe", "Dritter"},
         {}},
        {"replacing without a marked row",
         catalogue,
         [](Window& w) {
             w.replace(0, 0);
             w.open(w.savegame);
             w.replace(std::nullopt, 0);
         },
         save1,
         {true, true, true, false},
         {"01004", "02004"},
         {"Möwe", "Euro €"},
         {error + texts::NoCarToReplace, error + texts::NoCarToReplace},
         Control::cmdExit},
        {"replacing without a chosen car",
         catalogue,
         [](Window& w) {
             w.open(w.savegame);
             w.replace(0, -1);
         },
         save1,
         {true, true, true, false},
         {"01004", "02004"},
         {"Möwe", "Euro €"},
         {error + texts::NoNewCar},
         Control::cmdExit},
        {"a code that is not 8 bytes is refused",
         "0102030405060708 = M\xF6we\r\n0102 = Kurz\r\n",
         [](Window& w) {
             w.open(w.savegame);
             w.replace(0, 1);
         },
         save1,
         {true, true, true, false},
         {"01004"},
         {"Möwe"},
         {error + "Die Kennung des gewählten Wagens ist nicht 8 Bytes lang."},
         Control::cmdExit},
        {"saving confirms and disables saving",
         catalogue,
         [](Window& w) {
             w.open(w.savegame);
             w.replace(1, 2);
             w.rules.click(Control::cmdSave);
         },
         save1,
         {true, true, true, false},
         {"01004", "02004"},
         {"Möwe", "Dritter"},
         {"Gespeichert: Datei gespeichert!"},
         Control::cmdExit},
        {"backups are not offered before a savegame is chosen",
         catalogue,
         [](Window& w) { w.rules.run(Command::Backups); },
         noSavegame,
         {true, true, true, false},
         {},
         {},
         {"Hinweis: Es wurde noch kein Spielstand geladen, dessen Sicherungen gezeigt werden "
          "könnten."},
         Control::cmdExit},
        {"a savegame without backups says so",
         catalogue,
         [](Window& w) {
             w.open(w.savegame);
             w.rules.run(Command::Backups);
         },
         save1,
         {true, true, true, false},
         {"01004", "02004"},
         {"Möwe", "Euro €"},
         {"Hinweis: Zu save1.dat gibt es keine Sicherungen."},
         Control::cmdExit},
        {"restoring undoes a saved swap and loads the savegame again",
         catalogue,
         [](Window& w) {
             w.open(w.savegame);
             w.replace(1, 2);
             w.rules.click(Control::cmdSave);
             w.port.rowAnswers.push_back(0);
             w.rules.run(Command::Backups);
         },
         save1,
         {true, true, true, false},
         {"01004", "02004"},
         {"Möwe", "Euro €"},
         {"Gespeichert: Datei gespeichert!",
          "Wiederhergestellt: Die Sicherung save1.dat.~1 wurde wiederhergestellt."},
         Control::cmdExit,
         {"Sicherungen von save1.dat |  | save1.dat.~1: 1 Wagen anders: Ladenwagen Dritter → "
          "Euro €"}},
        {"unsaved replacements are named, and closing the dialog changes nothing",
         catalogue,
         [](Window& w) {
             w.open(w.savegame);
             w.rules.click(Control::cmdSave);
             w.replace(0, 2);
             w.rules.run(Command::Backups);
         },
         save1,
         {true, true, true, true},
         {"02004", "01004"},
         {"Euro €", "Dritter"},
         {"Gespeichert: Datei gespeichert!"},
         Control::cmdSave,
         {"Sicherungen von save1.dat | Nicht gespeicherte Änderungen gehen beim "
          "Wiederherstellen verloren. | save1.dat.~1: gleich"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Window w;
        writeFile(w.folder.file("Cardata.txt"), c.catalogue);
        writeFile(w.savegame.string(), demoSavegame());
        ASSERT_TRUE(w.rules.Form_Load(loadCatalogue(w.folder.path())));
        c.events(w);
        EXPECT_EQ(w.rules.title(), c.title);
        EXPECT_EQ(w.states(), c.states);
        EXPECT_EQ(w.column(2), c.positions);
        EXPECT_EQ(w.column(0), c.names);
        EXPECT_EQ(w.port.headlines(), c.messages);
        EXPECT_EQ(w.dialogs(), c.dialogs);
        EXPECT_EQ(w.rules.focusFrom(Control::cmdSave), c.focusFromSave);
        EXPECT_GT(w.port.refreshes, 0);
    }
}

// A backup kept online only is listed but not read: reading would make the sync program
// download every row on screen. Its time may be unknown. "Wiederherstellen" restores only
// with a row marked, in both views.
TEST(BackupChoiceRows, ABackupKeptOnlineIsNotReadAndNothingMarkedRestoresNothing) {
    TestFolder folder;
    const auto savegame = folder.path() / "save1.dat";
    writeFile(savegame, demoSavegame());
    writeFile(folder.path() / "save1.dat.~1", demoSavegame());
    auto backups = findBackups(savegame);
    ASSERT_EQ(backups.size(), 1u);
    backups.push_back({folder.path() / "save1.dat.~2", 2, 63596, std::nullopt, true});
    const std::vector<WagenEintrag> cars{{"M\xF6we", codeMoewe}};
    const CodeIndex index(cars);
    const BackupChoice choice(savegame, backups, false, index, cars);
    EXPECT_EQ(choice.cellText(0, 2), texts::BackupSame);
    EXPECT_EQ(choice.cellText(1, 1), "unbekannt");
    EXPECT_EQ(choice.cellText(1, 2),
              "nur in der Cloud gespeichert; wird beim Wiederherstellen heruntergeladen");
    EXPECT_FALSE(choice.restores(std::nullopt));
    EXPECT_TRUE(choice.restores(1));
    EXPECT_FALSE(choice.restores(2));
}

// Every word of the query in the name, in any order, regardless of case and of what
// Windows-1252 puts on its letters; in catalogue order, with each car's code.
TEST(CarFinder, FindsTheCarsThatHoldEveryWordOfTheQuery) {
    // In Windows-1252, as the catalogue holds them.
    const std::vector<std::string> names{"Kessler M\xF6we 1.6",
                                         "Brenner Falke GT",
                                         "Zeller Stra\xDF"
                                         "enfeger",
                                         "Halder Komet Coup\xE9",
                                         "\x8A\xEDma \x8Cuvre",
                                         "Kessler M\xF6we 1.6"};
    std::vector<WagenEintrag> cars;
    for (std::uint8_t i = 0; i < names.size(); ++i) {
        cars.push_back({names[i], Bytes{0xE5, 0x72, 0xC2, 0x31, 0x01, 0x67, 0xF3, i}});
    }
    CarFinder finder(cars);
    const std::pair<const char*, std::vector<std::size_t>> cases[] = {
        {"mowe", {0, 5}},
        {"MÖWE", {0, 5}},
        {"gt brenner", {1}},
        {"strasse", {2}},
        {"coupe", {3}},
        {"COUPÉ komet", {3}},
        {"  kessler\t1.6 ", {0, 5}},
        {"sima oeuvre", {4}},
        {"", {0, 1, 2, 3, 4, 5}},
        {"möwe gt", {}},
        {"zz", {}},
        {"ß", {0, 2, 5}},
    };
    for (const auto& [query, found] : cases) {
        finder.search(query);
        std::vector<std::size_t> rows;
        for (std::size_t row = 0; row < finder.rowCount(); ++row) {
            rows.push_back(finder.car(row));
        }
        EXPECT_EQ(rows, found) << query;
    }
    finder.search("möwe");
    EXPECT_EQ(finder.cellText(1, 0), "Kessler Möwe 1.6");
    EXPECT_EQ(finder.cellText(1, 1), "E572C2310167F305");
    EXPECT_EQ(finder.countText(), "2 von 6 Wagen");
    finder.search("zz");
    EXPECT_EQ(finder.countText(), "Kein Wagen passt (0 von 6 Wagen)");
}

// Choosing in the search sets the selector; the focus goes on to "Ersetzen" where that
// is enabled. Without a car to choose nothing is offered.
TEST(WindowRules, ACarFoundBySearchBecomesTheSelectorsEntry) {
    Window w;
    writeFile(w.folder.file("Cardata.txt"), catalogue);
    ASSERT_TRUE(w.rules.Form_Load(loadCatalogue(w.folder.path())));
    w.port.query = "euro";
    w.rules.run(Command::CarSearch);
    EXPECT_EQ(w.view.chosen, 1);
    EXPECT_EQ(w.view.focused, id(Control::cmdReplace));
    writeFile(w.folder.file("kurz.dat"), Bytes(63595, 0));
    w.open(w.folder.path() / "kurz.dat"); // no savegame: "Ersetzen" is disabled
    w.port.query = "DRITTER";
    w.rules.run(Command::CarSearch);
    EXPECT_EQ(w.view.chosen, 2);
    EXPECT_EQ(w.view.focused, id(Control::cmbCars));
    w.port.query.reset();
    w.view.focused.reset();
    w.rules.run(Command::CarSearch); // cancelled: nothing changes
    EXPECT_EQ(w.view.chosen, 2);
    EXPECT_FALSE(w.view.focused);

    Window empty;
    writeFile(empty.folder.file("Cardata.txt"), "");
    ASSERT_TRUE(empty.rules.Form_Load(loadCatalogue(empty.folder.path())));
    EXPECT_FALSE(empty.rules.offered(Command::CarSearch));
    empty.port.query = "";
    empty.rules.run(Command::CarSearch);
    EXPECT_EQ(empty.view.chosen, -1);
}

TEST(WindowRules, TheFocusSkipsDisabledControlsInTabOrder) {
    Window w;
    writeFile(w.folder.file("Cardata.txt"), "");
    ASSERT_TRUE(w.rules.Form_Load(loadCatalogue(w.folder.path())));
    EXPECT_EQ(w.rules.focusFrom(Control::cmdOpen), Control::lvCars);
    EXPECT_EQ(w.rules.focusFrom(Control::cmbCars), Control::cmdExit);
    EXPECT_EQ(w.rules.focusFrom(Control::optShop), Control::optShop);
}

TEST(WindowRules, AMissingCatalogueEndsTheProgramWithItsMessage) {
    Window w;
    EXPECT_FALSE(w.rules.Form_Load(loadCatalogue(w.folder.path())));
    EXPECT_EQ(w.port.headlines(), Strings{error + texts::CatalogueNotFound});
}

// 200 names of one code and as many records as fit: 1,059,800 rows, of which the first
// million are listed in their order, with a word on how many there were.
TEST(WindowRules, AListBeyondTheCapShowsItsFirstRowsAndSaysSo) {
    Window w;
    std::string names;
    for (int i = 1; i <= 200; ++i) {
        names += "0102030405060708 = Wagen " + std::to_string(i) + "\r\n";
    }
    writeFile(w.folder.file("Cardata.txt"), names);
    Bytes data(63596, 0xEE);
    for (std::size_t record = 0; record + 12 <= data.size(); record += 12) {
        placeRecord(data, record, codeMoewe, 1);
    }
    writeFile(w.savegame.string(), data);
    ASSERT_TRUE(w.rules.Form_Load(loadCatalogue(w.folder.path())));
    w.open(w.savegame);
    ASSERT_EQ(w.rules.rowCount(), WindowRules::RowCap);
    EXPECT_EQ(w.port.headlines(), Strings{"Hinweis: Es wurden 1.059.800 Wagen gefunden."});
    EXPECT_EQ(w.rules.cellText(WindowRules::RowCap - 1, 0), "Wagen 189");
    EXPECT_EQ(w.rules.cellText(WindowRules::RowCap - 1, 1), "1000000");
    w.replace(WindowRules::RowCap - 1, 0);
    EXPECT_TRUE(w.rules.isEnabled(Control::cmdSave));
}

// Every path that would drop unsaved replacements asks first, and each answer does what it
// says; with nothing unsaved nothing asks. "Speichern" whose save fails drops nothing.
TEST(WindowRules, UnsavedReplacementsAreNeverDroppedWithoutTheQuestion) {
    using enum SaveAnswer;
    const std::string question =
        "Die Änderungen an „save1.dat“ sind noch nicht gespeichert. Jetzt speichern?";
    const std::string save2 = GARAGON_TITLE("save2.dat");
    struct PathCase {
        const char* what;
        bool replace;
        std::deque<SaveAnswer> answers;
        std::function<bool(Window&)> path; // whether it went on
        bool goesOn;
        bool asked;
        bool onDisk; // the replacement was saved
        std::string title;
        bool saveFails = false;
    };
    const auto exit = [](Window& w) { return w.rules.mayDropChanges(); };
    const auto openOther = [](Window& w) {
        w.port.paths.push_back(w.folder.path() / "save2.dat");
        w.rules.click(Control::cmdOpen);
        return w.port.paths.empty();
    };
    const auto drop = [&](Window& w) {
        w.rules.openSavegame(w.folder.path() / "save2.dat");
        return w.rules.title() == save2;
    };
    const auto sessionEnd = [](Window& w) { return w.rules.mayEndSession(); };
    const PathCase cases[] = {
        {"nothing unsaved: exit", false, {}, exit, true, false, false, save1},
        {"nothing unsaved: session end", false, {}, sessionEnd, true, false, false, save1},
        {"nothing unsaved: open", false, {}, openOther, true, false, false, save2},
        {"exit, saved", true, {Save}, exit, true, true, true, save1},
        {"exit, not saved", true, {DontSave}, exit, true, true, false, save1},
        {"exit, cancelled", true, {Cancel}, exit, false, true, false, save1},
        {"exit, the save fails", true, {Save}, exit, false, true, false, save1, true},
        {"open, cancelled before the file dialog",
         true,
         {Cancel},
         openOther,
         false,
         true,
         false,
         save1},
        {"open, not saved", true, {DontSave}, openOther, true, true, false, save2},
        {"open, saved", true, {Save}, openOther, true, true, true, save2},
        {"open, the save fails", true, {Save}, openOther, false, true, false, save1, true},
        {"drop, cancelled", true, {Cancel}, drop, false, true, false, save1},
        {"drop, not saved", true, {DontSave}, drop, true, true, false, save2},
        {"session end, saved", true, {Save}, sessionEnd, true, true, true, save1},
        {"session end, cancelled", true, {Cancel}, sessionEnd, false, true, false, save1},
    };
    for (const PathCase& c : cases) {
        SCOPED_TRACE(c.what);
        Window w;
        writeFile(w.folder.file("Cardata.txt"), catalogue);
        writeFile(w.savegame.string(), demoSavegame());
        writeFile(w.folder.path() / "save2.dat", demoSavegame());
        ASSERT_TRUE(w.rules.Form_Load(loadCatalogue(w.folder.path())));
        w.open(w.savegame);
        if (c.replace) {
            w.replace(0, 2);
        }
        if (c.saveFails) { // no file can take the savegame's name
            std::filesystem::remove(w.savegame);
            std::filesystem::create_directory(w.savegame);
        }
        w.port.saveAnswers = c.answers;
        EXPECT_EQ(c.path(w), c.goesOn);
        EXPECT_EQ(w.port.questions, c.asked ? Strings{question} : Strings{});
        EXPECT_EQ(!c.saveFails && readFile(w.savegame) != demoSavegame(), c.onDisk);
        EXPECT_EQ(w.rules.title(), c.title);
        EXPECT_EQ(w.rules.isEnabled(Control::cmdSave),
                  c.replace && !c.onDisk && c.title == save1); // still there to save
    }
}

// While any dialog waits for an answer, the session's end is refused with the reason, and
// not asked about a second time; afterwards, unsaved replacements are the reason.
TEST(WindowRules, ASessionEndDuringADialogIsRefusedWithItsReason) {
    Window w;
    writeFile(w.folder.file("Cardata.txt"), catalogue);
    writeFile(w.savegame.string(), demoSavegame());
    ASSERT_TRUE(w.rules.Form_Load(loadCatalogue(w.folder.path())));
    EXPECT_EQ(w.rules.sessionEndWaitsFor(), std::nullopt);
    w.open(w.savegame);
    w.replace(0, 2);
    std::optional<std::string> reasonWhileAsked;
    bool endedWhileAsked = true;
    w.port.whileAsked = [&] {
        reasonWhileAsked = w.rules.sessionEndWaitsFor();
        endedWhileAsked = w.rules.mayEndSession();
    };
    EXPECT_FALSE(w.rules.mayDropChanges());
    EXPECT_EQ(reasonWhileAsked, texts::DialogOpen);
    EXPECT_FALSE(endedWhileAsked);
    EXPECT_EQ(w.port.questions.size(), 1u);
    EXPECT_EQ(w.rules.sessionEndWaitsFor(),
              "Die Änderungen an „save1.dat“ sind noch nicht gespeichert.");
    // Agreed to: the window that closes with the session does not ask again, until the
    // next change.
    w.port.whileAsked = nullptr;
    w.port.saveAnswers = {SaveAnswer::DontSave};
    EXPECT_TRUE(w.rules.mayEndSession());
    EXPECT_TRUE(w.rules.mayDropChanges());
    EXPECT_EQ(w.port.questions.size(), 2u);
    w.rules.run(Command::Undo);
    w.rules.run(Command::Redo);
    EXPECT_FALSE(w.rules.mayDropChanges());
    EXPECT_EQ(w.port.questions.size(), 3u);
}

namespace {

// Where the rows list the record whose code begins at the position, one of them is marked;
// elsewhere the first row is, as after a replacement.
void expectMarked(const Window& w, std::size_t position) {
    const WindowRules& rules = w.rules;
    std::optional<std::size_t> listed;
    for (std::size_t row = 0; row < rules.rowCount() && !listed; ++row) {
        if (std::stoul(rules.cellText(row, 2)) == position) {
            listed = row;
        }
    }
    const auto first = rules.rowCount() > 0 ? std::optional<std::size_t>(0) : std::nullopt;
    ASSERT_EQ(w.view.marked.has_value(), first.has_value());
    if (!first) {
        return;
    }
    EXPECT_EQ(w.view.marked, listed ? listed : first);
}

} // namespace

// Random replacements, undos, redos, saves and categories against a history of whole
// savegames: each step gives back exactly the bytes of its version, marks its record where
// the list shows it, and leaves something to save unless it reaches the version on disk.
TEST(WindowRules, UndoAndRedoWalkTheHistoryByteForByte) {
    const std::string names[] = {"Möwe", "Euro €", "Dritter"};
    const Bytes codes[] = {codeMoewe, codeEuro, codeC};
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        Window w;
        writeFile(w.folder.file("Cardata.txt"), catalogue);
        writeFile(w.savegame.string(), demoSavegame());
        ASSERT_TRUE(w.rules.Form_Load(loadCatalogue(w.folder.path())));
        w.open(w.savegame);
        // Each version, the position of the step that made it, and that step's caption.
        std::vector<Bytes> versions{demoSavegame()};
        std::vector<std::size_t> positions{0};
        Strings captions{"&Rückgängig"};
        std::size_t now = 0;
        std::size_t onDisk = 0; // the version on disk; none: one that no step reaches
        const std::size_t none = SIZE_MAX;
        for (int event = 0; event < 30; ++event) {
            const auto pick = random() % 10;
            if (pick < 4 && w.rules.rowCount() > 0) {
                const auto row = random() % w.rules.rowCount();
                const auto car = random() % 3;
                const auto position = std::stoul(w.rules.cellText(row, 2));
                const auto caption = "&Rückgängig: Ersetzen von " + w.rules.cellText(row, 0) +
                                     " durch " + names[car];
                w.replace(row, static_cast<int>(car));
                Bytes version = versions[now];
                std::ranges::copy(codes[car], version.begin() + static_cast<long>(position) - 1);
                versions.resize(now + 1);
                positions.resize(now + 1);
                captions.resize(now + 1);
                if (onDisk > now && onDisk != none) {
                    onDisk = none; // its step can no longer be reached
                }
                versions.push_back(version);
                positions.push_back(position);
                captions.push_back(caption);
                ++now;
            } else if (pick < 6 && now > 0) {
                w.rules.run(Command::Undo);
                expectMarked(w, positions[now--]);
            } else if (pick < 8 && now + 1 < versions.size()) {
                w.rules.run(Command::Redo);
                expectMarked(w, positions[++now]);
            } else if (pick < 9) {
                w.rules.run(Command::Save);
                onDisk = w.rules.isEnabled(Control::cmdSave) ? onDisk : now;
            } else {
                w.rules.click(
                    std::array{Control::optShop, Control::optBuyed, Control::optMY}[random() % 3]);
            }
            EXPECT_EQ(w.rules.isEnabled(Control::cmdSave), onDisk != now);
            EXPECT_EQ(w.rules.offered(Command::Undo), now > 0);
            EXPECT_EQ(w.rules.offered(Command::Redo), now + 1 < versions.size());
            EXPECT_EQ(w.rules.caption(Command::Undo), captions[now]);
            if (onDisk != none) {
                EXPECT_EQ(readFile(w.savegame), versions[onDisk]);
            }
        }
        while (w.rules.offered(Command::Undo)) {
            w.rules.run(Command::Undo);
        }
        EXPECT_EQ(w.rules.isEnabled(Control::cmdSave), onDisk != 0);
        w.rules.click(Control::cmdSave);
        EXPECT_EQ(readFile(w.savegame), demoSavegame());
    }
}
