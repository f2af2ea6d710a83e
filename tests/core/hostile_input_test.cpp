// Odd catalogues and odd savegame paths: each has a defined outcome, never a crash or hang.
#include "catalogue_parser.hpp"
#include "loading.hpp"
#include "saving.hpp"
#include "test_folder.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

using namespace garagon;
using garagon::test::patternedSavegame;
using garagon::test::readFile;
using garagon::test::TestFolder;
using garagon::test::writeFile;

using namespace std::string_literals;

TEST(HostileCatalogue, TabsStayInNamesButMakeACodeInvalid) {
    const auto k = parseKatalog("01\t = A\r\n02 = \tB\r\n");
    EXPECT_EQ(k.ungueltigeZeilen, std::vector<int>{1});
    ASSERT_EQ(k.wagen.size(), 2u);
    EXPECT_EQ(k.wagen[1].Name, "\tB");
}

TEST(HostileCatalogue, LoneLineEndsAreReportedWithTheirLine) {
    const auto lf = parseKatalog("01 = A\r\n02 = B\n03 = C\n");
    EXPECT_EQ(lf.fremdesZeilenende, 2);
    EXPECT_EQ(lf.wagen.size(), 3u) << "read as always: the last entry has no CR LF";
    EXPECT_EQ(lf.wagen[2].Name, "");
    EXPECT_NE(katalogfehlerText(lf).find("Zeile 2: Die Zeile endet nicht mit CR LF"),
              std::string::npos);

    const auto cr = parseKatalog("01 = A\r02 = B\r\n");
    EXPECT_EQ(cr.fremdesZeilenende, 1);
    EXPECT_EQ(cr.wagen[1].Name, "A\r02 = B");
    EXPECT_EQ(parseKatalog("01 = A\r\n").fremdesZeilenende, 0);
}

TEST(HostileCatalogue, NulBytesStayInNamesAndMakeCodesInvalid) {
    const auto k = parseKatalog("01 = A\0B\r\n0\0 = C\r\n"s);
    ASSERT_EQ(k.wagen.size(), 2u);
    EXPECT_EQ(k.wagen[1].Name, "A\0B"s);
    EXPECT_EQ(k.ungueltigeZeilen, std::vector<int>{2});
}

TEST(HostileCatalogue, AByteOrderMarkMakesTheFirstLineInvalid) {
    const auto k = parseKatalog("\xEF\xBB\xBF"
                                "01 = M\xC3\xB6we\r\n02 = B\r\n");
    EXPECT_EQ(k.ungueltigeZeilen, std::vector<int>{1});
    ASSERT_EQ(k.wagen.size(), 2u);
    EXPECT_EQ(k.wagen[1].Name, "B");
}

TEST(HostileCatalogue, Utf8NamesAreKeptAsBytes) {
    EXPECT_EQ(parseKatalog("01 = M\xC3\xB6we\r\n").wagen[1].Name, "M\xC3\xB6we");
}

TEST(HostileCatalogue, CodesOfAnyLengthAreLoaded) {
    const auto k =
        parseKatalog(" = Leer\r\n01020304050607 = Sieben\r\n010203040506070809 = Neun\r\n" +
                     std::string(32, 'A') + " = Sechzehn\r\n");
    ASSERT_EQ(k.wagen.size(), 5u);
    EXPECT_EQ(k.wagen[1].Kennung.size(), 0u);
    EXPECT_EQ(k.wagen[2].Kennung.size(), 7u);
    EXPECT_EQ(k.wagen[3].Kennung.size(), 9u);
    EXPECT_EQ(k.wagen[4].Kennung.size(), 16u);
}

TEST(HostileCatalogue, FiftyMegabytesAreReadQuickly) {
    std::string text;
    const std::string line = "0102030405060708 = Ein recht langer Wagenname\r\n";
    while (text.size() < 50'000'000) {
        text += line;
    }
    const auto start = std::chrono::steady_clock::now();
    const auto k = parseKatalog(text);
    // Generous for sanitizer builds; a quadratic scan would take hours.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    EXPECT_EQ(k.wagen.size(), static_cast<std::size_t>(MaxWagen) + 1);
    EXPECT_EQ(k.ueberzaehlige, static_cast<int>(text.size() / line.size()) - MaxWagen);

    const auto noSeparator = parseKatalog(std::string(50'000'000, 'x'));
    EXPECT_EQ(noSeparator.wagen.size(), 1u);
}

TEST(HostileSavegamePath, SocketsAreNotFound) {
    TestFolder folder;
    const auto path = folder.file("sock");
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(ladeSpielstand(path).status, Ladestatus::NichtGefunden);
    ::close(fd);
}

TEST(HostileSavegamePath, ATwoGigabyteSparseFileIsNoSavegameAndIsNotRead) {
    TestFolder folder;
    const auto path = folder.file("gross.dat");
    writeFile(path, "");
    ASSERT_EQ(::truncate(path.c_str(), 2'000'000'000), 0);
    const auto start = std::chrono::steady_clock::now();
    const auto result = ladeSpielstand(path);
    EXPECT_EQ(result.status, Ladestatus::KeinSpielstand);
    EXPECT_TRUE(result.daten.empty());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

// Another process keeps changing the file while it is loaded: every load either gets a
// whole savegame or says why not.
template <class Change> void loadWhileChanging(const std::string& path, Change change) {
    std::atomic<bool> stop{false};
    std::thread changer([&] {
        for (int i = 0; !stop; ++i) {
            change(i);
        }
    });
    for (int i = 0; i < 2000; ++i) {
        const auto result = ladeSpielstand(path);
        ASSERT_NE(result.status, Ladestatus::Lesefehler);
        ASSERT_EQ(result.status == Ladestatus::Geladen, result.daten.size() == 63596);
        if (result.status == Ladestatus::Geladen) {
            ASSERT_EQ(result.daten, patternedSavegame(1));
        }
    }
    stop = true;
    changer.join();
}

TEST(HostileSavegamePath, AFileChangingSizeWhileLoadedIsLoadedWholeOrRejected) {
    TestFolder folder;
    const auto path = folder.file("save.dat");
    writeFile(path, patternedSavegame(1));
    loadWhileChanging(path, [&](int i) { ::truncate(path.c_str(), i % 2 == 0 ? 63597 : 63596); });
}

TEST(HostileSavegamePath, AFileVanishingWhileLoadedIsLoadedWholeOrNotFound) {
    TestFolder folder;
    const auto path = folder.file("save.dat");
    const auto spare = folder.file("spare.dat");
    writeFile(path, patternedSavegame(1));
    loadWhileChanging(path, [&](int i) {
        if (i % 2 == 0) {
            ::rename(path.c_str(), spare.c_str());
        } else {
            ::rename(spare.c_str(), path.c_str());
        }
    });
}

TEST(HostileSavegamePath, ASavegameBehindASymlinkIsSavedWhereTheLinkPoints) {
    TestFolder folder;
    std::filesystem::create_directory(folder.path() / "spiel");
    const auto real = folder.file("spiel/save.dat");
    const auto link = folder.file("verknuepfung.dat");
    writeFile(real, patternedSavegame(1));
    std::filesystem::create_symlink(real, link);
    const auto result = saveSavegame(link, patternedSavegame(2));
    ASSERT_TRUE(result.saved) << result.text;
    EXPECT_EQ(result.backup, real + ".~1");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readFile(real), patternedSavegame(2));
    EXPECT_EQ(readFile(real + ".~1"), patternedSavegame(1));
}
