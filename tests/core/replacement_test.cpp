#include "replacement.hpp"
#include "savegame.hpp"
#include "test_folder.hpp"

#include <gtest/gtest.h>

using namespace garagon;
using garagon::test::patternedSavegame;

TEST(Replacement, WorkedExampleSplicesTheCodeAndKeepsEverythingElse) {
    const Bytes original = patternedSavegame(1);
    Bytes daten = original;
    const Bytes code{0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8};
    ASSERT_EQ(ersetzeKennung(daten, 104, code), Ersetzstatus::Ersetzt);
    ASSERT_EQ(daten.size(), SpielstandGroesse);
    EXPECT_TRUE(std::equal(original.begin(), original.begin() + 103, daten.begin()));
    EXPECT_TRUE(std::equal(code.begin(), code.end(), daten.begin() + 103));
    EXPECT_TRUE(std::equal(original.begin() + 111, original.end(), daten.begin() + 111));
}

TEST(Replacement, ReplacingACodeByItselfLeavesTheBufferIdentical) {
    Bytes daten = patternedSavegame(2);
    const Bytes same(daten.begin() + 9, daten.begin() + 17);
    ASSERT_EQ(ersetzeKennung(daten, 10, same), Ersetzstatus::Ersetzt);
    EXPECT_EQ(daten, patternedSavegame(2));
}

TEST(Replacement, CodesOfAnotherLengthAreRefusedAndChangeNothing) {
    for (std::size_t length : {0u, 7u, 9u, 16u}) {
        Bytes daten = patternedSavegame(3);
        EXPECT_EQ(ersetzeKennung(daten, 104, Bytes(length, 0xAA)), Ersetzstatus::FalscheLaenge);
        EXPECT_EQ(daten, patternedSavegame(3)) << length;
    }
}

TEST(Replacement, PositionsWhoseEightBytesLeaveTheBufferAreRefused) {
    const Bytes code(8, 0xAA);
    Bytes daten = patternedSavegame(4);
    EXPECT_EQ(ersetzeKennung(daten, 0, code), Ersetzstatus::UngueltigePosition);
    EXPECT_EQ(ersetzeKennung(daten, SpielstandGroesse - 6, code), Ersetzstatus::UngueltigePosition);
    EXPECT_EQ(daten, patternedSavegame(4));
    EXPECT_EQ(ersetzeKennung(daten, SpielstandGroesse - 7, code), Ersetzstatus::Ersetzt);
    Bytes empty;
    EXPECT_EQ(ersetzeKennung(empty, 1, code), Ersetzstatus::UngueltigePosition);
}
