#include "replacement.hpp"
#include "savegame.hpp"
#include "test_folder.hpp"

#include <gtest/gtest.h>

using namespace garagon;
using garagon::test::patternedSavegame;

TEST(Replacement, WorkedExampleSplicesTheCodeAndKeepsEverythingElse) {
    const Bytes original = patternedSavegame(1);
    Bytes data = original;
    const Bytes code{0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8};
    ASSERT_EQ(replaceCode(data, 104, code), ReplaceStatus::Replaced);
    ASSERT_EQ(data.size(), SavegameSize);
    EXPECT_TRUE(std::equal(original.begin(), original.begin() + 103, data.begin()));
    EXPECT_TRUE(std::equal(code.begin(), code.end(), data.begin() + 103));
    EXPECT_TRUE(std::equal(original.begin() + 111, original.end(), data.begin() + 111));
}

TEST(Replacement, ReplacingACodeByItselfLeavesTheBufferIdentical) {
    Bytes data = patternedSavegame(2);
    const Bytes same(data.begin() + 9, data.begin() + 17);
    ASSERT_EQ(replaceCode(data, 10, same), ReplaceStatus::Replaced);
    EXPECT_EQ(data, patternedSavegame(2));
}

TEST(Replacement, CodesOfAnotherLengthAreRefusedAndChangeNothing) {
    for (std::size_t length : {0u, 7u, 9u, 16u}) {
        Bytes data = patternedSavegame(3);
        EXPECT_EQ(replaceCode(data, 104, Bytes(length, 0xAA)), ReplaceStatus::WrongLength);
        EXPECT_EQ(data, patternedSavegame(3)) << length;
    }
}

TEST(Replacement, PositionsWhoseEightBytesLeaveTheBufferAreRefused) {
    const Bytes code(8, 0xAA);
    Bytes data = patternedSavegame(4);
    EXPECT_EQ(replaceCode(data, 0, code), ReplaceStatus::InvalidPosition);
    EXPECT_EQ(replaceCode(data, SavegameSize - 6, code), ReplaceStatus::InvalidPosition);
    EXPECT_EQ(data, patternedSavegame(4));
    EXPECT_EQ(replaceCode(data, SavegameSize - 7, code), ReplaceStatus::Replaced);
    Bytes empty;
    EXPECT_EQ(replaceCode(empty, 1, code), ReplaceStatus::InvalidPosition);
}
