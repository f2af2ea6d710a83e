#include "per_car_search.hpp"
#include "savegame.hpp"
#include "search.hpp"
#include "test_folder.hpp"

#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <random>

using namespace garagon;
using garagon::test::placeRecord;

namespace {

const Bytes codeA{1, 2, 3, 4, 5, 6, 7, 8};
const Bytes codeB{0xA0, 0xB1, 0xC2, 0xD3, 0xE4, 0xF5, 0x06, 0x17};

// A savegame of 0xEE bytes, so that nothing but the placed records matches.
Bytes blankSavegame() {
    return Bytes(SavegameSize, 0xEE);
}

std::vector<std::string> positions(const std::vector<ResultRow>& rows) {
    std::vector<std::string> result;
    for (const auto& row : rows) {
        result.push_back(row.position);
    }
    return result;
}

} // namespace

TEST(CarSearch, WorkedExampleGivesPositionAndContext) {
    Bytes data = blankSavegame();
    for (std::size_t i = 92; i < 100; ++i) {
        data[i] = static_cast<std::uint8_t>(0x90 + i - 92);
    }
    placeRecord(data, 100, codeA, 1);
    data[112] = 0xAB;
    data[113] = 0x0C;
    data[114] = 0x5D;
    const std::vector<WagenEintrag> cars{{"Wagen A", codeA}};
    const auto rows = listCarRecords(data, cars, Category::Shop);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].name, "Wagen A");
    EXPECT_EQ(rows[0].slot, "001");
    EXPECT_EQ(rows[0].position, "00104");
    EXPECT_EQ(rows[0].context, "9091929394959697 - 01AB0C5D");
}

TEST(CarSearch, OnlyTheChosenCategoryIsFound) {
    Bytes data = blankSavegame();
    placeRecord(data, 1000, codeA, 1);
    placeRecord(data, 2000, codeA, 2);
    placeRecord(data, 3000, codeA, 4);
    placeRecord(data, 4000, codeA, 3);
    const std::vector<WagenEintrag> cars{{"A", codeA}};
    EXPECT_EQ(positions(listCarRecords(data, cars, Category::Shop)),
              std::vector<std::string>{"01004"});
    EXPECT_EQ(positions(listCarRecords(data, cars, Category::Career)),
              std::vector<std::string>{"02004"});
    EXPECT_EQ(positions(listCarRecords(data, cars, Category::Own)),
              std::vector<std::string>{"03004"});
}

TEST(CarSearch, RowsFollowCatalogueOrderThenPositionWithListOrdinals) {
    Bytes data = blankSavegame();
    placeRecord(data, 5000, codeA, 1);
    placeRecord(data, 200, codeB, 1);
    placeRecord(data, 300, codeA, 1);
    // The same code twice in the catalogue gives a row for each name.
    const std::vector<WagenEintrag> cars{{"A", codeA}, {"B", codeB}, {"A2", codeA}};
    const auto rows = listCarRecords(data, cars, Category::Shop);
    ASSERT_EQ(rows.size(), 5u);
    const std::vector<std::string> names{rows[0].name, rows[1].name, rows[2].name, rows[3].name,
                                         rows[4].name};
    EXPECT_EQ(names, (std::vector<std::string>{"A", "A", "B", "A2", "A2"}));
    EXPECT_EQ(positions(rows),
              (std::vector<std::string>{"00304", "05004", "00204", "00304", "05004"}));
    EXPECT_EQ(rows[4].slot, "005");
}

TEST(CarSearch, SlotsAndPositionsGrowBeyondTheirPadding) {
    Bytes data = blankSavegame();
    for (std::size_t i = 0; i < 1001; ++i) {
        placeRecord(data, 20 + i * 12, codeA, 1);
    }
    const std::vector<WagenEintrag> cars{{"A", codeA}};
    const auto rows = listCarRecords(data, cars, Category::Shop);
    ASSERT_EQ(rows.size(), 1001u);
    EXPECT_EQ(rows[999].slot, "1000");
    EXPECT_EQ(rows[1000].position, "12024");
}

TEST(CarSearch, TheNextSearchStartsEightBytesAfterAMatch) {
    // An empty code gives the 4-byte pattern 00 00 00 01; runs of it overlap.
    Bytes data = blankSavegame();
    const Bytes record{0, 0, 0, 1};
    auto put = [&](std::size_t at) {
        std::copy(record.begin(), record.end(), data.begin() + static_cast<std::ptrdiff_t>(at));
    };
    put(1000); // found
    put(1007); // 7 bytes after: skipped
    put(1015); // found: the search resumed at 1008
    put(1023); // 8 after 1015: found
    const std::vector<WagenEintrag> cars{{"Leer", {}}};
    EXPECT_EQ(positions(listCarRecords(data, cars, Category::Shop)),
              (std::vector<std::string>{"01004", "01019", "01027"}));
}

TEST(CarSearch, AFullRecordOverlappingThePreviousOneByFourBytesIsFound) {
    // With this code a record 8 bytes after another shares its zeros and category byte.
    const Bytes code{1, 2, 3, 4, 5, 0, 0, 0};
    Bytes data = blankSavegame();
    placeRecord(data, 2000, code, 1);
    placeRecord(data, 2008, code, 1);
    const std::vector<WagenEintrag> cars{{"Ueberlapp", code}};
    EXPECT_EQ(positions(listCarRecords(data, cars, Category::Shop)),
              (std::vector<std::string>{"02004", "02012"}));
}

TEST(CarSearch, RecordsAtEitherEndAreListedWithMissingContextShownAsDashes) {
    Bytes data = blankSavegame();
    placeRecord(data, 0, codeA, 1);
    placeRecord(data, data.size() - 12, codeB, 1);
    const std::vector<WagenEintrag> cars{{"A", codeA}, {"B", codeB}};
    const auto rows = listCarRecords(data, cars, Category::Shop);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].position, "00004");
    EXPECT_EQ(rows[0].context, "---------------- - 01EEEEEE");
    EXPECT_EQ(rows[1].position, "63588");
    EXPECT_EQ(rows[1].context, "EEEEEEEEEEEEEEEE - 01------");
}

TEST(CarSearch, NothingLoadedOrNoCatalogueFindsNothing) {
    const std::vector<WagenEintrag> cars{{"A", codeA}, {"Leer", {}}};
    EXPECT_TRUE(listCarRecords({}, cars, Category::Shop).empty());
    EXPECT_TRUE(listCarRecords(blankSavegame(), {}, Category::Shop).empty());
}

namespace {

// Savegames and catalogues made to collide: few byte values, runs of zeros, periodic
// bytes whose records overlap themselves, codes shared by several cars, codes that are
// not 8 bytes long, and records planted 1 to 12 bytes after one another.
class CollidingInput {
  public:
    explicit CollidingInput(unsigned seed) : random_(seed) {}

    std::vector<WagenEintrag> catalogue() {
        std::vector<WagenEintrag> cars(pick(0, 40));
        for (auto& car : cars) {
            const auto kind = pick(0, 9);
            if (kind == 0 && &car != &cars.front()) {
                car.Kennung = (&car - 1)->Kennung; // shared with the car before
            } else if (kind == 1) {
                car.Kennung = Bytes(pick(0, 11), 0); // empty, short, long or zero
            } else if (kind <= 3) {
                const auto first = static_cast<std::uint8_t>(category());
                car.Kennung = {first, byte(), byte(), byte(), byte(), 0, 0, 0}; // periodic
            } else {
                car.Kennung = bytes(8);
            }
        }
        return cars;
    }

    Bytes savegame(const std::vector<WagenEintrag>& cars) {
        const std::size_t sizes[] = {0, 4, 11, 12, 13, 64, 500, 4000, SavegameSize};
        Bytes data = pick(0, 2) == 0 ? periodic(sizes[pick(0, 8)]) : bytes(sizes[pick(0, 8)]);
        for (std::size_t i = 0, n = cars.empty() ? 0 : pick(0, 30); i < n; ++i) {
            const Bytes& code = cars[pick(0, cars.size() - 1)].Kennung;
            const auto categoryByte = static_cast<std::uint8_t>(category());
            for (std::size_t again = pick(1, 4); again > 0; --again) {
                plant(data, code, categoryByte);
            }
        }
        return data;
    }

    // Mostly the one category of this input, so that planted records overlap.
    Category category() { return pick(0, 3) == 0 ? anyCategory() : category_; }

  private:
    std::size_t pick(std::size_t low, std::size_t high) {
        return std::uniform_int_distribution<std::size_t>(low, high)(random_);
    }
    std::uint8_t byte() {
        const std::uint8_t values[] = {0, 0, 0, 1, 2, 4, 0xEE};
        return values[pick(0, 6)];
    }
    Bytes bytes(std::size_t count) {
        Bytes result(count);
        std::generate(result.begin(), result.end(), [&] { return byte(); });
        return result;
    }
    Bytes periodic(std::size_t count) {
        const Bytes period = bytes(pick(1, 20));
        Bytes result(count);
        for (std::size_t i = 0; i < count; ++i) {
            result[i] = period[i % period.size()];
        }
        return result;
    }
    void plant(Bytes& data, const Bytes& code, std::uint8_t categoryByte) {
        if (data.size() < code.size() + 4) {
            return;
        }
        const std::size_t last = data.size() - code.size() - 4;
        const std::size_t near = lastPlanted_ + (pick(0, 1) == 0 ? pick(8, 11) : pick(1, 12));
        const std::size_t at = near <= last ? near : pick(0, last);
        Bytes record{0, 0, 0};
        record.insert(record.end(), code.begin(), code.end());
        record.push_back(categoryByte);
        std::copy(record.begin(), record.end(), data.begin() + static_cast<std::ptrdiff_t>(at));
        lastPlanted_ = at;
    }

    Category anyCategory() {
        const Category all[] = {Category::Shop, Category::Career, Category::Own};
        return all[pick(0, 2)];
    }

    std::mt19937 random_;
    Category category_ = anyCategory();
    std::size_t lastPlanted_ = 0;
};

} // namespace

// At least 200 inputs, however slow the build; as many more as 3 s allow, up to 5,000.
TEST(CarSearch, OnePassEqualsTheScanPerCarOnThousandsOfCollidingInputs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    for (unsigned seed = 1;
         seed <= 5000 && (seed <= 200 || std::chrono::steady_clock::now() < deadline); ++seed) {
        CollidingInput input(seed);
        const auto cars = input.catalogue();
        const Bytes data = input.savegame(cars);
        const Category category = input.category();
        ASSERT_EQ(garagon::test::allMatches(findRecords(data, CodeIndex(cars), category)),
                  garagon::test::perCarSearch(data, cars, category))
            << "seed " << seed;
    }
}

// 400 names of one code and as many records as fit: 2,119,600 rows, kept without a row
// each, whose texts at the start, in the middle and at the end are those of the scan per car.
TEST(CarSearch, AHostilePairKeepsEveryRowWithoutStoringThem) {
    std::vector<WagenEintrag> cars(400, WagenEintrag{"", codeA});
    for (std::size_t car = 0; car < cars.size(); ++car) {
        cars[car].Name = "Wagen " + std::to_string(car + 1);
    }
    Bytes data = blankSavegame();
    for (std::size_t record = 0; record + 12 <= data.size(); record += 12) {
        placeRecord(data, record, codeA, 1);
    }
    const auto reference = garagon::test::perCarSearch(data, cars, Category::Shop);
    const FoundRecords found = findRecords(data, CodeIndex(cars), Category::Shop);
    ASSERT_EQ(found.size(), reference.size());
    ASSERT_EQ(found.size(), 400u * 5299u);
    for (const std::size_t row : {std::size_t{0}, std::size_t{5298}, std::size_t{5299},
                                  reference.size() / 2, reference.size() - 1}) {
        const ResultRow texts = resultRow(data, cars, found, row);
        EXPECT_EQ(texts.name, cars[reference[row].car].Name) << row;
        EXPECT_EQ(std::stoul(texts.slot), row + 1) << row;
        EXPECT_EQ(std::stoul(texts.position), reference[row].recordStart + 4) << row;
    }
}
