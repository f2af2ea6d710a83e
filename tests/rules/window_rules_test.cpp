#include "messages.hpp"
#include "scripted_port.hpp"
#include "test_folder.hpp"
#include "texts.hpp"
#include "window_data.hpp"
#include "window_rules.hpp"

#include <functional>
#include <gtest/gtest.h>

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
        rules.cmdOpen_Click();
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
             w.rules.optMY_Click();
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
             w.rules.optBuyed_Click();
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
             w.rules.cmdOpen_Click();
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
             w.rules.optMY_Click();
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
             w.rules.cmdReplace_Click(1, 2);
         },
         save1,
         {true, true, true, true},
         {"01004", "02004"},
         {"Möwe", "Dritter"},
         {}},
        {"replacing without a marked row",
         catalogue,
         [](Window& w) {
             w.rules.cmdReplace_Click(0, 0);
             w.open(w.savegame);
             w.rules.cmdReplace_Click(std::nullopt, 0);
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
             w.rules.cmdReplace_Click(0, -1);
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
             w.rules.cmdReplace_Click(0, 1);
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
             w.rules.cmdReplace_Click(1, 2);
             w.rules.cmdSave_Click();
         },
         save1,
         {true, true, true, false},
         {"01004", "02004"},
         {"Möwe", "Dritter"},
         {"Gespeichert: Datei gespeichert!"},
         Control::cmdExit},
        {"backups are not offered before a savegame is chosen",
         catalogue,
         [](Window& w) { w.rules.showBackups(); },
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
             w.rules.showBackups();
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
             w.rules.cmdReplace_Click(1, 2);
             w.rules.cmdSave_Click();
             w.port.rowAnswers.push_back(0);
             w.rules.showBackups();
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
             w.rules.cmdSave_Click();
             w.rules.cmdReplace_Click(0, 2);
             w.rules.showBackups();
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
    auto choice = w.rules.findCar();
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->entry, 1);
    EXPECT_EQ(choice->focus, Control::cmdReplace);
    writeFile(w.folder.file("kurz.dat"), Bytes(63595, 0));
    w.open(w.folder.path() / "kurz.dat"); // no savegame: "Ersetzen" is disabled
    w.port.query = "DRITTER";
    choice = w.rules.findCar();
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->entry, 2);
    EXPECT_EQ(choice->focus, Control::cmbCars);
    w.port.query.reset();
    EXPECT_FALSE(w.rules.findCar());

    Window empty;
    writeFile(empty.folder.file("Cardata.txt"), "");
    ASSERT_TRUE(empty.rules.Form_Load(loadCatalogue(empty.folder.path())));
    EXPECT_FALSE(empty.rules.carSearchOffered());
    empty.port.query = "";
    EXPECT_FALSE(empty.rules.findCar());
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
    w.rules.cmdReplace_Click(WindowRules::RowCap - 1, 0);
    EXPECT_TRUE(w.rules.isEnabled(Control::cmdSave));
}
