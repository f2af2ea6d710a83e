// The real Win32 window, driven through its controls as a player would drive them: button
// clicks, the list's marks and the selector's entry; dialogs go through the seam.
#include "backup_choice.hpp"
#include "car_finder.hpp"
#include "control_factory.hpp"
#include "frmVelox.hpp"
#include "keys.hpp"
#include "layout.hpp"
#include "list_dialog_view.hpp"
#include "scripted_port.hpp"
#include "test_folder.hpp"
#include "texts.hpp"
#include "utf16.hpp"
#include "window_data.hpp"
#include "window_text.hpp"

#include <algorithm>
#include <commctrl.h>
#include <cwctype>
#include <gtest/gtest.h>
#include <set>
#include <shlobj.h>
#include <windowsx.h>

using namespace garagon;
using namespace garagon::win32;
using namespace garagon::test;

namespace {

struct Message {
    std::wstring title;
    std::wstring text;
};

// What the real search dialog showed while a test drove it: the focused control's class,
// then the texts of its controls once the query was typed.
struct SearchSeen {
    std::wstring focusClass;
    RECT client;
    std::vector<std::wstring> texts;
};
std::wstring typedQuery;
SearchSeen searchSeen;

// Types into the real search dialog once it is up, writes down what it shows, and
// chooses; with nothing to type it cancels.
void CALLBACK driveSearch(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = FindWindowW(nullptr, L"Wagen suchen");
    if (dialog == nullptr) {
        return;
    }
    KillTimer(nullptr, timer);
    wchar_t name[64] = {};
    GetClassNameW(GetFocus(), name, 64);
    searchSeen = {name, {}, {}};
    GetClientRect(dialog, &searchSeen.client);
    SetWindowTextW(GetFocus(), typedQuery.c_str());
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM) {
            wchar_t text[256] = {};
            GetWindowTextW(child, text, 256);
            searchSeen.texts.emplace_back(text);
            return TRUE;
        },
        0);
    SendMessageW(dialog, WM_COMMAND, typedQuery.empty() ? IDCANCEL : IDOK, 0);
}

// The captions of a menu's entries, access keys marked with "&"; none for separators.
std::vector<std::wstring> menuCaptions(HMENU menu) {
    std::vector<std::wstring> captions;
    for (int item = 0; item < GetMenuItemCount(menu); ++item) {
        wchar_t caption[128] = {};
        if (GetMenuStringW(menu, static_cast<UINT>(item), caption, 128, MF_BYPOSITION) > 0) {
            captions.emplace_back(caption);
        }
    }
    return captions;
}

class Win32Window : public ::testing::Test {
  protected:
    void SetUp() override { writeFile(savegame, demoSavegame()); }

    void start(const char* catalogueText = catalogue, SessionBlock sessionBlock = {}) {
        if (catalogueText != nullptr) {
            writeFile(folder.path() / "Cardata.txt", catalogueText);
        }
        window = std::make_unique<ScriptedPort<frmVelox>>(dialogs, sessionBlock);
        catalogueFound = window->Form_Load(loadCatalogueAhead(folder.path()).get());
        ShowWindow(window->handle(), SW_SHOWNORMAL);
    }
    HWND control(Control id) const { return window->control(id); }
    void click(Control id) { SendMessageW(control(id), BM_CLICK, 0, 0); }
    void open(const std::filesystem::path& path) {
        dialogs.paths.push_back(path);
        click(Control::cmdOpen);
    }
    std::vector<std::wstring> column(int index) const {
        std::vector<std::wstring> texts;
        const int rows = ListView_GetItemCount(control(Control::lvCars));
        for (int row = 0; row < rows; ++row) {
            wchar_t text[256] = {};
            ListView_GetItemText(control(Control::lvCars), row, index, text, 256);
            texts.emplace_back(text);
        }
        return texts;
    }
    void mark(int row) {
        ListView_SetItemState(control(Control::lvCars), row, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
    }
    int markedRow() const {
        return ListView_GetNextItem(control(Control::lvCars), -1, LVNI_SELECTED);
    }
    // Enabled states of Control::cmdOpen, Control::cmbCars, Control::cmdReplace and
    // Control::cmdSave.
    std::vector<bool> states() const {
        return {IsWindowEnabled(control(Control::cmdOpen)) != 0,
                IsWindowEnabled(control(Control::cmbCars)) != 0,
                IsWindowEnabled(control(Control::cmdReplace)) != 0,
                IsWindowEnabled(control(Control::cmdSave)) != 0};
    }
    std::wstring title() const { return textOf(window->handle()); }
    // A key pressed in the list with exactly these modifiers held: whether the window took
    // it as a shortcut.
    bool pressKey(WPARAM key, std::initializer_list<int> held) {
        BYTE state[256] = {};
        GetKeyboardState(state);
        for (const int modifier : held) {
            state[modifier] = 0x80;
        }
        SetKeyboardState(state);
        const bool taken =
            window->takesShortcut(MSG{control(Control::lvCars), WM_KEYDOWN, key, 0, 0, {}});
        for (const int modifier : held) {
            state[modifier] = 0;
        }
        SetKeyboardState(state);
        return taken;
    }
    // Runs what was posted to the window, as the message loop would.
    static void deliverPosted() {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
    }
    std::vector<Message> messages() const {
        std::vector<Message> shown;
        for (const auto& [title, text] : dialogs.messages) {
            shown.push_back({utf16(title), utf16(text)});
        }
        return shown;
    }
    // The backup dialogs shown: title, then "name: difference" per row.
    std::vector<std::vector<std::string>> shownBackups() const {
        std::vector<std::vector<std::string>> shown;
        for (const auto& list : dialogs.lists) {
            shown.push_back({list.front()});
            shown.back().insert(shown.back().end(), list.begin() + 2, list.end());
        }
        return shown;
    }

    TestFolder folder;
    Script dialogs;
    std::unique_ptr<frmVelox> window;
    bool catalogueFound = false;
    std::filesystem::path savegame = folder.path() / "save1.dat";
};

} // namespace

// Every control as declared: its caption, font and place at 96 dpi; Label1 shows the
// disclaimer, the selector its first car.
TEST_F(Win32Window, StartUpShowsTheLayoutTheFontsAndTheCatalogue) {
    start();
    EXPECT_EQ(title(), L"" GARAGON_TITLE("Kein Spielstand geladen"));
    RECT client{};
    GetClientRect(window->handle(), &client);
    EXPECT_EQ(client.right, 647);
    EXPECT_EQ(client.bottom, 426);
    for (const DeclaredControl& declared : layouts::window.controls) {
        const auto which = static_cast<Control>(declared.id);
        SCOPED_TRACE(declared.name);
        RECT box{};
        GetWindowRect(control(which), &box);
        MapWindowPoints(nullptr, window->handle(), reinterpret_cast<POINT*>(&box), 2);
        const Place frame =
            declared.frame != inWindow ? layouts::window[declared.frame].place : Place{};
        EXPECT_EQ(box.left, (frame.left + declared.place.left) / 15);
        EXPECT_EQ(box.top, (frame.top + declared.place.top) / 15);
        EXPECT_EQ(box.right - box.left, declared.place.width / 15);
        if (declared.kind != ControlKind::Selector) { // its own height, whatever its list's
            EXPECT_EQ(box.bottom - box.top, declared.place.height / 15);
        }
        const std::wstring shown = which == Control::Label1             ? utf16(texts::Disclaimer)
                                   : which == Control::cmbCars          ? L"Möwe"
                                   : declared.kind == ControlKind::List ? L""
                                                                        : utf16(declared.caption);
        EXPECT_EQ(textOf(control(which)), shown);
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control(which), WM_GETFONT, 0, 0)),
                   sizeof font, &font);
        EXPECT_EQ(font.lfWeight, declared.bold ? FW_BOLD : FW_NORMAL);
        EXPECT_EQ(std::wstring(font.lfFaceName), L"Arial");
        EXPECT_EQ(font.lfHeight, -13); // 9.75 pt at 96 dpi
    }
    EXPECT_EQ(ComboBox_GetCount(control(Control::cmbCars)), 3);
    EXPECT_EQ(ComboBox_GetCurSel(control(Control::cmbCars)), 0);
    EXPECT_EQ(states(), (std::vector<bool>{true, true, true, false}));
    EXPECT_EQ(SendMessageW(control(Control::optShop), BM_GETCHECK, 0, 0), BST_CHECKED);
    for (std::size_t column = 0; column < std::size(layouts::carColumns); ++column) {
        const auto& declared = layouts::carColumns[column];
        EXPECT_EQ(ListView_GetColumnWidth(control(Control::lvCars), static_cast<int>(column)),
                  declared.visible ? declared.width / 15 : 0);
    }
    EXPECT_EQ(ListView_GetItemCount(control(Control::lvCars)), 0);
    EXPECT_TRUE(messages().empty());
}

// Tab stops in their declared order, around to the first; the options are one stop, at the
// checked one, and cmdSave, disabled, is none.
TEST_F(Win32Window, TheTabOrderIsTheLayoutsAndTheOptionsAreOneStop) {
    start();
    std::vector<HWND> expected;
    for (const DeclaredControl& declared : layouts::window.controls) {
        const auto which = static_cast<Control>(declared.id);
        const bool option = declared.kind == ControlKind::Option;
        if (takesFocus(declared.kind) && which != Control::cmdSave &&
            (!option || which == Control::optShop)) {
            expected.push_back(control(which));
        }
    }
    expected.push_back(expected.front());
    std::vector<HWND> order{GetFocus()};
    while (order.size() < expected.size()) {
        order.push_back(GetNextDlgTabItem(window->handle(), order.back(), FALSE));
    }
    EXPECT_EQ(order, expected);
    EXPECT_EQ(GetFocus(), control(Control::cmdOpen));
}

// Whatever a layout begins with, the first control begins a group, as does the first
// option after another kind.
TEST_F(Win32Window, TheFirstControlAndTheFirstOptionEachBeginAGroup) {
    start();
    static constexpr DeclaredControl options[] = {
        {0, "first", ControlKind::Option, "A", {0, 0, 900, 300}},
        {1, "second", ControlKind::Option, "B", {0, 300, 900, 300}},
        {2, "label", ControlKind::Label, "C", {0, 600, 900, 300}},
        {3, "third", ControlKind::Option, "D", {0, 900, 900, 300}},
    };
    constexpr WindowLayout layout{"groups", 900, 1200, options};
    static_assert(wellFormed(layout));
    HWND host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 60, 80, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    makeControls(host, layout);
    std::vector<bool> groups;
    for (const DeclaredControl& declared : options) {
        const HWND made = GetDlgItem(host, controlId(layout, declared.id));
        groups.push_back((GetWindowLongPtrW(made, GWL_STYLE) & WS_GROUP) != 0);
    }
    EXPECT_EQ(groups, (std::vector<bool>{true, false, false, true}));
    DestroyWindow(host);
}

// A dialog's status line shows only where it says something.
TEST_F(Win32Window, AnEmptyStatusLineIsHidden) {
    struct Backups : ListDialog {
        std::string line;
        const WindowLayout& layout() const override { return layouts::backups; }
        std::string title() const override { return "Sicherungen"; }
        std::size_t rowCount() const override { return 1; }
        std::string cellText(std::size_t, int) const override { return "Spielstand.sav.~1"; }
        std::optional<std::size_t> firstMarkedRow() const override { return 0; }
        bool chooses(std::optional<std::size_t>) const override { return true; }
        std::string status() const override { return line; }
    };
    static std::vector<bool> shown;
    shown.clear();
    start();
    for (const char* line : {"", "Ungespeicherte Änderungen"}) {
        Backups dialog;
        dialog.line = line;
        SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR timer, DWORD) {
            if (HWND open = FindWindowW(nullptr, L"Sicherungen")) {
                KillTimer(nullptr, timer);
                const int status = *layouts::backups.find(Role::Status);
                shown.push_back(
                    IsWindowVisible(GetDlgItem(open, controlId(layouts::backups, status))) != 0);
                SendMessageW(open, WM_COMMAND, IDCANCEL, 0);
            }
        });
        EXPECT_FALSE(chooseFromList(window->handle(), dialog));
    }
    EXPECT_EQ(shown, (std::vector<bool>{false, true}));
}

TEST_F(Win32Window, OpeningReplacingAndSavingChangeExactlyTheMarkedCode) {
    start();
    open(savegame);
    EXPECT_EQ(title(), L"" GARAGON_TITLE("save1.dat"));
    EXPECT_EQ(column(0), (std::vector<std::wstring>{L"Möwe", L"Euro €"}));
    EXPECT_EQ(column(1), (std::vector<std::wstring>{L"001", L"002"}));
    EXPECT_EQ(column(2), (std::vector<std::wstring>{L"01004", L"02004"}));
    EXPECT_EQ(column(3)[0], L"EEEEEEEEEEEEEEEE - 01EEEEEE");
    EXPECT_EQ(markedRow(), 0);

    mark(1);
    ComboBox_SetCurSel(control(Control::cmbCars), 2);
    click(Control::cmdReplace);
    EXPECT_EQ(column(0), (std::vector<std::wstring>{L"Möwe", L"Dritter"}));
    EXPECT_EQ(markedRow(), 0);
    EXPECT_EQ(states(), (std::vector<bool>{true, true, true, true}));

    SetFocus(control(Control::cmdSave));
    click(Control::cmdSave);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].title, L"Gespeichert");
    EXPECT_NE(messages()[0].text.find(savegame.native() + L".~1\r\n gesichert."),
              std::wstring::npos);
    EXPECT_EQ(states(), (std::vector<bool>{true, true, true, false}));
    EXPECT_EQ(GetFocus(), control(Control::cmdExit)) << "the focus left the disabled button";
    Bytes expected = demoSavegame();
    EXPECT_EQ(readFile(savegame.native() + L".~1"), expected);
    std::copy(codeC.begin(), codeC.end(), expected.begin() + 2003);
    EXPECT_EQ(readFile(savegame), expected);
}

// "Sicherungen…" in the system menu, offered once a savegame is chosen, undoes the swap.
// Its access key is its own in the German system menu and in the context menu: where two
// entries share one, Windows only moves the highlight between them.
TEST_F(Win32Window, TheSystemMenuEntryRestoresABackup) {
    start();
    HMENU system = GetSystemMenu(window->handle(), FALSE);
    const auto captions = menuCaptions(system);
    EXPECT_NE(std::find(captions.begin(), captions.end(), L"&Wiederherstellen"), captions.end())
        << "the system menu is not in German";
    EXPECT_NE(std::find(captions.begin(), captions.end(), L"Sic&herungen…"), captions.end());
    for (HMENU menu : {system, window->contextMenu()}) {
        std::set<wchar_t> keys;
        for (const auto& caption : menuCaptions(menu)) {
            if (const auto key = caption.find(L'&'); key != std::wstring::npos) {
                EXPECT_TRUE(keys.insert(towupper(caption.at(key + 1))).second)
                    << "a second entry with the key of " << utf8(caption);
            }
        }
    }
    EXPECT_NE(GetMenuState(system, menuId(Command::Backups), MF_BYCOMMAND) & MF_GRAYED, 0u);
    open(savegame);
    EXPECT_EQ(GetMenuState(system, menuId(Command::Backups), MF_BYCOMMAND) & MF_GRAYED, 0u);
    mark(1);
    ComboBox_SetCurSel(control(Control::cmbCars), 2);
    click(Control::cmdReplace);
    click(Control::cmdSave);
    dialogs.rowAnswers.push_back(0);
    SendMessageW(window->handle(), WM_SYSCOMMAND, menuId(Command::Backups), 0);
    EXPECT_EQ(shownBackups(), (std::vector<std::vector<std::string>>{
                                  {"Sicherungen von save1.dat",
                                   "save1.dat.~1: 1 Wagen anders: Ladenwagen Dritter → Euro €"}}));
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[1].title, L"Wiederhergestellt");
    EXPECT_EQ(column(0), (std::vector<std::wstring>{L"Möwe", L"Euro €"}));
    EXPECT_EQ(markedRow(), 0);
    EXPECT_EQ(states(), (std::vector<bool>{true, true, true, false}));
    EXPECT_EQ(title(), L"" GARAGON_TITLE("save1.dat"));
    EXPECT_EQ(readFile(savegame), demoSavegame());
    EXPECT_EQ(readFile(savegame.native() + L".~1"), demoSavegame());
    EXPECT_EQ(readFile(savegame.native() + L".~2")[2003], codeC[0]);
}

TEST_F(Win32Window, CategoriesRefusalsAndCancelling) {
    start();
    open(savegame);
    click(Control::optBuyed);
    EXPECT_EQ(column(0), std::vector<std::wstring>{L"Dritter"});
    click(Control::optShop);
    EXPECT_EQ(column(2), (std::vector<std::wstring>{L"01004", L"02004"}));
    click(Control::cmdOpen); // nothing queued: cancelled
    EXPECT_EQ(title(), L"" GARAGON_TITLE("save1.dat"));

    ComboBox_SetCurSel(control(Control::cmbCars), -1);
    click(Control::cmdReplace);
    ListView_SetItemState(control(Control::lvCars), -1, 0, LVIS_SELECTED);
    click(Control::cmdReplace);
    writeFile(folder.path() / "kurz.dat", Bytes(63595, 0));
    open(folder.path() / "kurz.dat");
    std::vector<std::wstring> shown;
    for (const auto& message : messages()) {
        shown.push_back(message.title + L": " + message.text);
    }
    EXPECT_EQ(shown, (std::vector<std::wstring>{
                         L"Fehler: Es wurde kein neues Auto gewählt!",
                         L"Fehler: Es wurde kein zu ersetzendes Auto gewählt!",
                         L"Fehler: Die gewählte Datei ist kein Tarvo-Spielstand!"}));
    EXPECT_EQ(title(), L"" GARAGON_TITLE("kurz.dat"));
    EXPECT_EQ(states(), (std::vector<bool>{true, true, false, false}));
    EXPECT_EQ(ListView_GetItemCount(control(Control::lvCars)), 0);
}

TEST_F(Win32Window, AMissingOrEmptyCatalogue) {
    start(nullptr);
    EXPECT_FALSE(catalogueFound);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, L"Die Wagenliste wurde nicht gefunden!");
    window.reset();
    start("");
    EXPECT_EQ(states(), (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(GetFocus(), control(Control::lvCars));
}

// A savegame has one name for the window, whichever the file dialog gave: the short one
// it may give beyond 260 characters is shown long. Under Program Files, where Windows
// gives an old game a copy of its own, the window says which file the game uses, and the
// chosen one stays open.
TEST_F(Win32Window, ASavegameIsKnownByItsLongNameAndTheGamesOwnCopyIsNamed) {
    const auto longName = folder.path() / L"Spielstand von Juergen.sav";
    writeFile(longName, demoSavegame());
    wchar_t shortName[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameW(longName.c_str(), shortName, MAX_PATH), 0u);
    ASSERT_NE(std::filesystem::path(shortName).filename(), longName.filename());
    start();
    open(shortName);
    EXPECT_EQ(title(), L"" GARAGON_TITLE("Spielstand von Juergen.sav"));
    EXPECT_TRUE(messages().empty());

    const auto shellFolder = [](int known) {
        wchar_t path[MAX_PATH] = {};
        SHGetFolderPathW(nullptr, known, nullptr, SHGFP_TYPE_CURRENT, path);
        return std::filesystem::path(path);
    };
    const auto game = shellFolder(CSIDL_PROGRAM_FILES) / folder.path().filename();
    const auto copy = shellFolder(CSIDL_LOCAL_APPDATA) / L"VirtualStore" / game.relative_path();
    for (const auto& place : {game, copy}) {
        std::filesystem::create_directories(place);
        writeFile(place / "save1.dat", demoSavegame());
    }
    open(game / "save1.dat");
    std::filesystem::remove_all(game);
    std::filesystem::remove_all(copy);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].title, L"Hinweis");
    EXPECT_NE(messages()[0].text.find(L"\r\n" + (copy / "save1.dat").native() + L"\r\n"),
              std::wstring::npos);
    EXPECT_EQ(title(), L"" GARAGON_TITLE("save1.dat"));
    EXPECT_EQ(ListView_GetItemCount(control(Control::lvCars)), 2);
}

// Ctrl+F wherever the focus is, or the system menu: the real search dialog, its text
// field focused, finds by words of a name; the car chosen becomes the selector's, and the
// focus moves on to "Ersetzen". Cancelling changes nothing.
TEST_F(Win32Window, ACarFoundBySearchIsChosenInTheSelector) {
    start();
    open(savegame);
    SetFocus(control(Control::lvCars));
    typedQuery = L"EURO";
    dialogs.realSearch = true;
    SetTimer(nullptr, 0, 50, driveSearch);
    MSG keys{window->handle(), WM_KEYDOWN, 'F', 0, 0, {}};
    const BYTE pressed = 0x80;
    BYTE state[256] = {};
    GetKeyboardState(state);
    state[VK_CONTROL] = pressed;
    SetKeyboardState(state);
    keys.hwnd = control(Control::lvCars);
    EXPECT_TRUE(window->takesShortcut(keys));
    state[VK_CONTROL] = 0;
    SetKeyboardState(state);
    EXPECT_EQ(searchSeen.focusClass, L"Edit");
    EXPECT_EQ(searchSeen.client.right, 560); // as on Linux
    EXPECT_EQ(searchSeen.client.bottom, 432);
    EXPECT_NE(std::find(searchSeen.texts.begin(), searchSeen.texts.end(), L"1 von 3 Wagen"),
              searchSeen.texts.end());
    EXPECT_EQ(ComboBox_GetCurSel(control(Control::cmbCars)), 1);
    EXPECT_EQ(GetFocus(), control(Control::cmdReplace));

    typedQuery.clear();
    SetTimer(nullptr, 0, 50, driveSearch);
    SendMessageW(window->handle(), WM_SYSCOMMAND, menuId(Command::CarSearch), 0);
    EXPECT_EQ(ComboBox_GetCurSel(control(Control::cmbCars)), 1);
    const auto captions = menuCaptions(window->contextMenu());
    EXPECT_NE(std::find(captions.begin(), captions.end(), L"Wagen s&uchen…"), captions.end());
}

// Explorer drops a file: it opens as if chosen in the dialog.
TEST_F(Win32Window, ADroppedSavegameOpensAndExitCloses) {
    start();
    const std::wstring name = savegame.native();
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + (name.size() + 2) * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::copy(name.begin(), name.end(), reinterpret_cast<wchar_t*>(drop + 1));
    GlobalUnlock(memory);
    SendMessageW(window->handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    EXPECT_EQ(title(), L"" GARAGON_TITLE("Kein Spielstand geladen")); // once the drop is done
    deliverPosted();
    EXPECT_EQ(title(), L"" GARAGON_TITLE("save1.dat"));
    EXPECT_EQ(ListView_GetItemCount(control(Control::lvCars)), 2);

    click(Control::cmdExit);
    EXPECT_FALSE(IsWindow(window->handle()));
}

namespace {

std::vector<std::wstring> blockReasons; // what the window told Windows, "" for its end

BOOL WINAPI recordBlock(HWND, LPCWSTR reason) {
    blockReasons.emplace_back(reason);
    return TRUE;
}
BOOL WINAPI recordUnblock(HWND) {
    blockReasons.emplace_back();
    return TRUE;
}

} // namespace

// The keys take back and make again exactly with their modifiers, and the menus name the
// step; the exit, the close box and the session's end ask about what is unsaved, and the
// session is held up with the reason while the question is open.
TEST_F(Win32Window, UndoRedoAndTheQuestionBeforeUnsavedReplacementsGo) {
    blockReasons.clear();
    start(catalogue, SessionBlock{recordBlock, recordUnblock});
    open(savegame);
    mark(1);
    ComboBox_SetCurSel(control(Control::cmbCars), 2);
    click(Control::cmdReplace);
    EXPECT_FALSE(pressKey('Z', {VK_CONTROL, VK_MENU}));
    EXPECT_TRUE(pressKey('Z', {VK_CONTROL}));
    EXPECT_EQ(column(0), (std::vector<std::wstring>{L"Möwe", L"Euro €"}));
    EXPECT_EQ(markedRow(), 1);
    EXPECT_EQ(states()[3], false);
    const auto captions = menuCaptions(window->contextMenu());
    EXPECT_EQ(captions[1], L"Wiederh&olen: Ersetzen von Euro € durch Dritter");
    EXPECT_TRUE(pressKey('Y', {VK_CONTROL}));
    EXPECT_EQ(column(0), (std::vector<std::wstring>{L"Möwe", L"Dritter"}));
    EXPECT_EQ(menuCaptions(window->contextMenu())[0],
              L"&Rückgängig: Ersetzen von Euro € durch Dritter");

    std::vector<std::wstring> reasonsWhileAsked;
    dialogs.whileAsked = [&] {
        reasonsWhileAsked = blockReasons;
        // A second end of the session, while the question is open, is refused unasked.
        EXPECT_FALSE(SendMessageW(window->handle(), WM_QUERYENDSESSION, 0, 0));
    };
    const std::wstring unsaved = L"Die Änderungen an „save1.dat“ sind noch nicht gespeichert.";
    dialogs.saveAnswers = {SaveAnswer::Cancel};
    EXPECT_FALSE(SendMessageW(window->handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
    EXPECT_EQ(reasonsWhileAsked, std::vector<std::wstring>{unsaved});
    const std::wstring dialogOpen = L"Garagon wartet auf eine Antwort in einem Dialog.";
    EXPECT_EQ(blockReasons, (std::vector<std::wstring>{unsaved, dialogOpen, dialogOpen, unsaved}));
    SendMessageW(window->handle(), WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
    EXPECT_EQ(blockReasons.back(), L""); // the session goes on
    dialogs.whileAsked = nullptr;
    dialogs.saveAnswers = {SaveAnswer::Cancel};
    click(Control::cmdExit);
    EXPECT_TRUE(IsWindow(window->handle()));
    dialogs.saveAnswers = {SaveAnswer::Save};
    SendMessageW(window->handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window->handle()));
    EXPECT_EQ(dialogs.questions.size(), 3u);
    EXPECT_EQ(readFile(savegame.native() + L".~1"), demoSavegame());
    EXPECT_EQ(readFile(savegame)[2003], codeC[0]);
}
