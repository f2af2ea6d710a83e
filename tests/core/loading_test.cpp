#include "loading.hpp"
#include "savegame.hpp"
#include "test_folder.hpp"

#include <gtest/gtest.h>

using namespace garagon;
using garagon::test::patternedSavegame;
using garagon::test::TestFolder;
using garagon::test::writeFile;

TEST(SavegameLoading, ExactlyTheSavegameSizeIsAcceptedWhateverItsContent) {
    TestFolder folder;
    const auto path = folder.file("save1.dat");
    const Bytes original = patternedSavegame(3);
    writeFile(path, original);
    const auto result = loadSavegame(path);
    EXPECT_EQ(result.status, LoadStatus::Loaded);
    EXPECT_EQ(result.data, original);

    writeFile(path, Bytes(SavegameSize, 0));
    EXPECT_EQ(loadSavegame(path).data, Bytes(SavegameSize, 0));
}

TEST(SavegameLoading, OtherSizesAreNoSavegameAndLeaveNoBuffer) {
    TestFolder folder;
    const auto path = folder.file("save1.dat");
    for (std::size_t size : {SavegameSize - 1, SavegameSize + 1, std::size_t{0}}) {
        writeFile(path, patternedSavegame(1, size));
        const auto result = loadSavegame(path);
        EXPECT_EQ(result.status, LoadStatus::NotASavegame) << size;
        EXPECT_TRUE(result.data.empty()) << size;
    }
}

TEST(SavegameLoading, HiddenAndReadOnlyFilesLoad) {
    TestFolder folder;
    const auto path = folder.file(".versteckt.dat");
    writeFile(path, patternedSavegame(5));
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    EXPECT_EQ(loadSavegame(path).status, LoadStatus::Loaded);
}

TEST(SavegameLoading, WhatIsNoRegularFileIsNotFoundAndNeverBlocks) {
    TestFolder folder;
    EXPECT_EQ(loadSavegame(folder.file("fehlt.dat")).status, LoadStatus::NotFound);
    EXPECT_EQ(loadSavegame(folder.path().string()).status, LoadStatus::NotFound);
}
