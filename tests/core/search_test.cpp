#include "savegame.hpp"
#include "search.hpp"
#include "test_folder.hpp"

#include <gtest/gtest.h>

using namespace garagon;
using garagon::test::placeRecord;

namespace {

const Bytes codeA{1, 2, 3, 4, 5, 6, 7, 8};
const Bytes codeB{0xA0, 0xB1, 0xC2, 0xD3, 0xE4, 0xF5, 0x06, 0x17};

// A savegame of 0xEE bytes, so that nothing but the placed records matches.
Bytes blankSavegame() {
    return Bytes(SpielstandGroesse, 0xEE);
}

std::vector<std::string> positions(const std::vector<Trefferzeile>& rows) {
    std::vector<std::string> result;
    for (const auto& row : rows) {
        result.push_back(row.position);
    }
    return result;
}

} // namespace

TEST(CategorySelection, CareerWinsOverOwnCarsAndTheShopRemains) {
    EXPECT_EQ(kategorieAus(false, false), Kategorie::Laden);
    EXPECT_EQ(kategorieAus(true, false), Kategorie::Karriere);
    EXPECT_EQ(kategorieAus(false, true), Kategorie::Meine);
    EXPECT_EQ(kategorieAus(true, true), Kategorie::Karriere);
}

TEST(CarSearch, WorkedExampleGivesPositionAndContext) {
    Bytes daten = blankSavegame();
    for (std::size_t i = 92; i < 100; ++i) {
        daten[i] = static_cast<std::uint8_t>(0x90 + i - 92);
    }
    placeRecord(daten, 100, codeA, 1);
    daten[112] = 0xAB;
    daten[113] = 0x0C;
    daten[114] = 0x5D;
    const std::vector<WagenEintrag> wagen{{"Wagen A", codeA}};
    const auto rows = findeWagensaetze(daten, wagen, Kategorie::Laden);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].name, "Wagen A");
    EXPECT_EQ(rows[0].slot, "001");
    EXPECT_EQ(rows[0].position, "00104");
    EXPECT_EQ(rows[0].kontext, "9091929394959697 - 01AB0C5D");
}

TEST(CarSearch, OnlyTheChosenCategoryIsFound) {
    Bytes daten = blankSavegame();
    placeRecord(daten, 1000, codeA, 1);
    placeRecord(daten, 2000, codeA, 2);
    placeRecord(daten, 3000, codeA, 4);
    placeRecord(daten, 4000, codeA, 3);
    const std::vector<WagenEintrag> wagen{{"A", codeA}};
    EXPECT_EQ(positions(findeWagensaetze(daten, wagen, Kategorie::Laden)),
              std::vector<std::string>{"01004"});
    EXPECT_EQ(positions(findeWagensaetze(daten, wagen, Kategorie::Karriere)),
              std::vector<std::string>{"02004"});
    EXPECT_EQ(positions(findeWagensaetze(daten, wagen, Kategorie::Meine)),
              std::vector<std::string>{"03004"});
}

TEST(CarSearch, RowsFollowCatalogueOrderThenPositionWithListOrdinals) {
    Bytes daten = blankSavegame();
    placeRecord(daten, 5000, codeA, 1);
    placeRecord(daten, 200, codeB, 1);
    placeRecord(daten, 300, codeA, 1);
    // The same code twice in the catalogue gives a row for each name.
    const std::vector<WagenEintrag> wagen{{"A", codeA}, {"B", codeB}, {"A2", codeA}};
    const auto rows = findeWagensaetze(daten, wagen, Kategorie::Laden);
    ASSERT_EQ(rows.size(), 5u);
    const std::vector<std::string> names{rows[0].name, rows[1].name, rows[2].name, rows[3].name,
                                         rows[4].name};
    EXPECT_EQ(names, (std::vector<std::string>{"A", "A", "B", "A2", "A2"}));
    EXPECT_EQ(positions(rows),
              (std::vector<std::string>{"00304", "05004", "00204", "00304", "05004"}));
    EXPECT_EQ(rows[4].slot, "005");
}

TEST(CarSearch, SlotsAndPositionsGrowBeyondTheirPadding) {
    Bytes daten = blankSavegame();
    for (std::size_t i = 0; i < 1001; ++i) {
        placeRecord(daten, 20 + i * 12, codeA, 1);
    }
    const std::vector<WagenEintrag> wagen{{"A", codeA}};
    const auto rows = findeWagensaetze(daten, wagen, Kategorie::Laden);
    ASSERT_EQ(rows.size(), 1001u);
    EXPECT_EQ(rows[999].slot, "1000");
    EXPECT_EQ(rows[1000].position, "12024");
}

TEST(CarSearch, TheNextSearchStartsEightBytesAfterAMatch) {
    // An empty code gives the 4-byte pattern 00 00 00 01; runs of it overlap.
    Bytes daten = blankSavegame();
    const Bytes record{0, 0, 0, 1};
    auto put = [&](std::size_t at) {
        std::copy(record.begin(), record.end(), daten.begin() + static_cast<std::ptrdiff_t>(at));
    };
    put(1000); // found
    put(1007); // 7 bytes after: skipped
    put(1015); // found: the search resumed at 1008
    put(1023); // 8 after 1015: found
    const std::vector<WagenEintrag> wagen{{"Leer", {}}};
    EXPECT_EQ(positions(findeWagensaetze(daten, wagen, Kategorie::Laden)),
              (std::vector<std::string>{"01004", "01019", "01027"}));
}

TEST(CarSearch, AFullRecordOverlappingThePreviousOneByFourBytesIsFound) {
    // With this code a record 8 bytes after another shares its zeros and category byte.
    const Bytes code{1, 2, 3, 4, 5, 0, 0, 0};
    Bytes daten = blankSavegame();
    placeRecord(daten, 2000, code, 1);
    placeRecord(daten, 2008, code, 1);
    const std::vector<WagenEintrag> wagen{{"Ueberlapp", code}};
    EXPECT_EQ(positions(findeWagensaetze(daten, wagen, Kategorie::Laden)),
              (std::vector<std::string>{"02004", "02012"}));
}

TEST(CarSearch, RecordsAtEitherEndAreListedWithMissingContextShownAsDashes) {
    Bytes daten = blankSavegame();
    placeRecord(daten, 0, codeA, 1);
    placeRecord(daten, daten.size() - 12, codeB, 1);
    const std::vector<WagenEintrag> wagen{{"A", codeA}, {"B", codeB}};
    const auto rows = findeWagensaetze(daten, wagen, Kategorie::Laden);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].position, "00004");
    EXPECT_EQ(rows[0].kontext, "---------------- - 01EEEEEE");
    EXPECT_EQ(rows[1].position, "63588");
    EXPECT_EQ(rows[1].kontext, "EEEEEEEEEEEEEEEE - 01------");
}

TEST(CarSearch, NothingLoadedOrNoCatalogueFindsNothing) {
    const std::vector<WagenEintrag> wagen{{"A", codeA}, {"Leer", {}}};
    EXPECT_TRUE(findeWagensaetze({}, wagen, Kategorie::Laden).empty());
    EXPECT_TRUE(findeWagensaetze(blankSavegame(), {}, Kategorie::Laden).empty());
}
