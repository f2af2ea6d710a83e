// Odd catalogues and odd savegame paths: each has a defined outcome, never a crash or hang.
#include "catalogue_parser.hpp"
#include "loading.hpp"
#include "saving.hpp"
#include "test_folder.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using namespace garagon;
using garagon::test::patternedSavegame;
using garagon::test::readFile;
using garagon::test::TestFolder;
using garagon::test::writeFile;

using namespace std::string_literals;

TEST(HostileCatalogue, TabsStayInNamesButMakeACodeInvalid) {
    const auto k = parseCatalogue("01\t = A\r\n02 = \tB\r\n");
    EXPECT_EQ(k.invalidLines, std::vector<int>{1});
    ASSERT_EQ(k.cars.size(), 2u);
    EXPECT_EQ(k.cars[1].Name, "\tB");
}

TEST(HostileCatalogue, LoneLineEndsAreReportedWithTheirLine) {
    const auto lf = parseCatalogue("01 = A\r\n02 = B\n03 = C\n");
    EXPECT_EQ(lf.strayLineEnd, 2);
    EXPECT_EQ(lf.cars.size(), 3u) << "read as always: the last entry has no CR LF";
    EXPECT_EQ(lf.cars[2].Name, "");
    EXPECT_NE(catalogueProblemsText(lf).find("Zeile 2: Die Zeile endet nicht mit CR LF"),
              std::string::npos);

    const auto cr = parseCatalogue("01 = A\r02 = B\r\n");
    EXPECT_EQ(cr.strayLineEnd, 1);
    EXPECT_EQ(cr.cars[1].Name, "A\r02 = B");
    EXPECT_EQ(parseCatalogue("01 = A\r\n").strayLineEnd, 0);
}

TEST(HostileCatalogue, NulBytesStayInNamesAndMakeCodesInvalid) {
    const auto k = parseCatalogue("01 = A\0B\r\n0\0 = C\r\n"s);
    ASSERT_EQ(k.cars.size(), 2u);
    EXPECT_EQ(k.cars[1].Name, "A\0B"s);
    EXPECT_EQ(k.invalidLines, std::vector<int>{2});
}

TEST(HostileCatalogue, AByteOrderMarkMakesTheFirstLineInvalid) {
    const auto k = parseCatalogue("\xEF\xBB\xBF"
                                  "01 = M\xC3\xB6we\r\n02 = B\r\n");
    EXPECT_EQ(k.invalidLines, std::vector<int>{1});
    ASSERT_EQ(k.cars.size(), 2u);
    EXPECT_EQ(k.cars[1].Name, "B");
}

TEST(HostileCatalogue, Utf8NamesAreKeptAsBytes) {
    EXPECT_EQ(parseCatalogue("01 = M\xC3\xB6we\r\n").cars[1].Name, "M\xC3\xB6we");
}

TEST(HostileCatalogue, CodesOfAnyLengthAreLoaded) {
    const auto k =
        parseCatalogue(" = Leer\r\n01020304050607 = Sieben\r\n010203040506070809 = Neun\r\n" +
                       std::string(32, 'A') + " = Sechzehn\r\n");
    ASSERT_EQ(k.cars.size(), 5u);
    EXPECT_EQ(k.cars[1].Kennung.size(), 0u);
    EXPECT_EQ(k.cars[2].Kennung.size(), 7u);
    EXPECT_EQ(k.cars[3].Kennung.size(), 9u);
    EXPECT_EQ(k.cars[4].Kennung.size(), 16u);
}

TEST(HostileCatalogue, FiftyMegabytesAreReadQuickly) {
    std::string text;
    const std::string line = "0102030405060708 = Ein recht langer Wagenname\r\n";
    while (text.size() < 50'000'000) {
        text += line;
    }
    const auto start = std::chrono::steady_clock::now();
    const auto k = parseCatalogue(text);
    // Generous for sanitizer builds; a quadratic scan would take hours.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    EXPECT_EQ(k.cars.size(), static_cast<std::size_t>(MaxCars) + 1);
    EXPECT_EQ(k.surplusEntries, static_cast<int>(text.size() / line.size()) - MaxCars);

    const auto noSeparator = parseCatalogue(std::string(50'000'000, 'x'));
    EXPECT_EQ(noSeparator.cars.size(), 1u);
}

TEST(HostileSavegamePath, ATwoGigabyteSparseFileIsNoSavegameAndIsNotRead) {
    TestFolder folder;
    const auto path = folder.file("gross.dat");
    writeFile(path, "");
    std::filesystem::resize_file(path, 2'000'000'000);
    const auto start = std::chrono::steady_clock::now();
    const auto result = loadSavegame(path);
    EXPECT_EQ(result.status, LoadStatus::NotASavegame);
    EXPECT_TRUE(result.data.empty());
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
        const auto result = loadSavegame(path);
        ASSERT_NE(result.status, LoadStatus::ReadError);
        ASSERT_EQ(result.status == LoadStatus::Loaded, result.data.size() == 63596);
        if (result.status == LoadStatus::Loaded) {
            ASSERT_EQ(result.data, patternedSavegame(1));
        }
    }
    stop = true;
    changer.join();
}

TEST(HostileSavegamePath, AFileChangingSizeWhileLoadedIsLoadedWholeOrRejected) {
    TestFolder folder;
    const auto path = folder.file("save.dat");
    writeFile(path, patternedSavegame(1));
    loadWhileChanging(path, [&](int i) {
        std::error_code error; // a moment when the file is being read may refuse the change
        std::filesystem::resize_file(path, i % 2 == 0 ? 63597 : 63596, error);
    });
}

TEST(HostileSavegamePath, AFileVanishingWhileLoadedIsLoadedWholeOrNotFound) {
    TestFolder folder;
    const auto path = folder.file("save.dat");
    const auto spare = folder.file("spare.dat");
    writeFile(path, patternedSavegame(1));
    loadWhileChanging(path, [&](int i) {
        std::error_code error;
        if (i % 2 == 0) {
            std::filesystem::rename(path, spare, error);
        } else {
            std::filesystem::rename(spare, path, error);
        }
    });
}
