#pragma once

#include "bytes.hpp"
#include "catalogue_parser.hpp"
#include "code_index.hpp"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace garagon {

// The byte after a car record's code: which list of the game the car is in.
enum class Category : std::uint8_t { Shop = 1, Career = 2, Own = 4 };

// One car record "00 00 00 <code> <category>" found: the car (0-based, in catalogue
// order) and the 0-based offset of the record's first byte.
struct RecordMatch {
    std::size_t car;
    std::size_t recordStart;
    bool operator==(const RecordMatch&) const = default;
};

// The record starts of one code, ascending; after a match the scan resumes 8 bytes on.
std::vector<std::size_t> scanForCode(std::span<const std::uint8_t> data, const Bytes& code,
                                     Category category);

// The records found, in catalogue order and within one car by ascending position. Cars
// that share a code share one run of positions, so the size grows with the cars plus the
// records, never with their product; a row is worked out only when it is asked for.
class FoundRecords {
  public:
    std::uint64_t size() const { return rows_; }
    bool empty() const { return rows_ == 0; }
    RecordMatch operator[](std::uint64_t row) const;
    // Each record once, by ascending position, with the first car in catalogue order it
    // was found for: as many as there are records, however many cars share a code.
    std::vector<RecordMatch> distinctRecords() const;

  private:
    friend FoundRecords findRecords(std::span<const std::uint8_t>, const CodeIndex&, Category);

    // The rows of one car, from firstRow to the next run's: its record starts follow one
    // another in starts_ from firstStart on.
    struct CarRun {
        std::uint64_t firstRow;
        std::size_t car;
        std::size_t firstStart;
    };
    std::vector<std::size_t> starts_;
    std::vector<CarRun> runs_;
    std::uint64_t rows_ = 0;
};

// Every record of every car in one pass over the savegame, exactly as scanning for each
// car on its own would give.
FoundRecords findRecords(std::span<const std::uint8_t> data, const CodeIndex& index,
                         Category category);

// One found record: the texts of the four list columns.
struct ResultRow {
    std::string name;     // the catalogue name, in the catalogue's encoding
    std::string slot;     // ordinal in the list, "001" and up
    std::string position; // 1-based position of the first code byte, "00001" and up
    std::string context;  // 8 bytes before the record, " - ", 4 bytes from the category byte
};

// The texts of one row (0-based) of the list.
ResultRow resultRow(std::span<const std::uint8_t> data, std::span<const WagenEintrag> cars,
                    const FoundRecords& found, std::uint64_t row);

// The texts of every row, for a list that holds them all at once.
std::vector<ResultRow> resultRows(std::span<const std::uint8_t> data,
                                  std::span<const WagenEintrag> cars, const FoundRecords& found);

// The rows of every record of the cars, with an index built for them.
std::vector<ResultRow> listCarRecords(std::span<const std::uint8_t> data,
                                      std::span<const WagenEintrag> cars, Category category);

} // namespace garagon
