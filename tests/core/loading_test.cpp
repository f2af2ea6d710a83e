#include "loading.hpp"
#include "savegame.hpp"
#include "test_folder.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace garagon;
using garagon::test::patternedSavegame;
using garagon::test::TestFolder;
using garagon::test::writeFile;

TEST(SavegameLoading, ExactlyTheSavegameSizeIsAcceptedWhateverItsContent) {
    TestFolder folder;
    const auto pfad = folder.file("save1.dat");
    const Bytes original = patternedSavegame(3);
    writeFile(pfad, original);
    const auto result = ladeSpielstand(pfad);
    EXPECT_EQ(result.status, Ladestatus::Geladen);
    EXPECT_EQ(result.daten, original);

    writeFile(pfad, Bytes(SpielstandGroesse, 0));
    EXPECT_EQ(ladeSpielstand(pfad).daten, Bytes(SpielstandGroesse, 0));
}

TEST(SavegameLoading, OtherSizesAreNoSavegameAndLeaveNoBuffer) {
    TestFolder folder;
    const auto pfad = folder.file("save1.dat");
    for (std::size_t size : {SpielstandGroesse - 1, SpielstandGroesse + 1, std::size_t{0}}) {
        writeFile(pfad, patternedSavegame(1, size));
        const auto result = ladeSpielstand(pfad);
        EXPECT_EQ(result.status, Ladestatus::KeinSpielstand) << size;
        EXPECT_TRUE(result.daten.empty()) << size;
    }
}

TEST(SavegameLoading, HiddenAndReadOnlyFilesLoad) {
    TestFolder folder;
    const auto pfad = folder.file(".versteckt.dat");
    writeFile(pfad, patternedSavegame(5));
    ::chmod(pfad.c_str(), 0444);
    EXPECT_EQ(ladeSpielstand(pfad).status, Ladestatus::Geladen);
}

TEST(SavegameLoading, WhatIsNoRegularFileIsNotFoundAndNeverBlocks) {
    TestFolder folder;
    EXPECT_EQ(ladeSpielstand(folder.file("fehlt.dat")).status, Ladestatus::NichtGefunden);
    EXPECT_EQ(ladeSpielstand(folder.path().string()).status, Ladestatus::NichtGefunden);

    const auto fifo = folder.file("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(ladeSpielstand(fifo).status, Ladestatus::NichtGefunden);

    const auto dangling = folder.file("link");
    std::filesystem::create_symlink(folder.file("nirgends"), dangling);
    EXPECT_EQ(ladeSpielstand(dangling).status, Ladestatus::NichtGefunden);
}

TEST(SavegameLoading, ASymlinkToASavegameLoads) {
    TestFolder folder;
    writeFile(folder.file("echt.dat"), patternedSavegame(9));
    std::filesystem::create_symlink(folder.file("echt.dat"), folder.file("link.dat"));
    EXPECT_EQ(ladeSpielstand(folder.file("link.dat")).daten, patternedSavegame(9));
}
