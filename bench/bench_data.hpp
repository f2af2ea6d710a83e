#pragma once

// Catalogues and savegames for the benchmarks, made the same way on every run.
#include "bytes.hpp"
#include "catalogue_parser.hpp"
#include "savegame.hpp"
#include "search.hpp"
#include "test_folder.hpp"

#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace garagon::bench {

// The catalogue text of count cars with distinct random codes, CR LF lines.
inline std::string catalogueText(std::size_t count, unsigned seed = 7) {
    std::mt19937_64 random(seed);
    std::string text;
    char line[64];
    for (std::size_t i = 0; i < count; ++i) {
        std::snprintf(line, sizeof line, "%016llX = Wagen %zu\r\n",
                      static_cast<unsigned long long>(random()), i + 1);
        text += line;
    }
    return text;
}

inline std::vector<WagenEintrag> distinctCars(std::size_t count) {
    auto cars = parseCatalogue(catalogueText(count)).cars;
    cars.erase(cars.begin()); // index 0 stays empty in the table
    return cars;
}

// records records of random catalogue cars, 12 bytes or more apart, their categories
// taking turns, among random bytes.
inline Bytes savegameWithRecords(const std::vector<WagenEintrag>& cars, std::size_t records) {
    std::mt19937 random(11);
    Bytes data(SavegameSize);
    for (auto& byte : data) {
        byte = static_cast<std::uint8_t>(random() % 251 + 5); // no zeros nor category bytes
    }
    const std::size_t spacing = (SavegameSize - 12) / records;
    const std::uint8_t categories[] = {1, 2, 4};
    for (std::size_t i = 0; i < records; ++i) {
        test::placeRecord(data, i * spacing, cars[random() % cars.size()].Kennung,
                          categories[i % 3]);
    }
    return data;
}

// The most records of distinct codes a savegame can hold: every 20 bytes eleven zeros
// and nine category bytes, so that nine codes have a record each time.
struct LargestList {
    Bytes data;
    std::vector<Bytes> codes;
};

inline LargestList largestList(std::uint8_t category) {
    LargestList list{Bytes(SavegameSize), {}};
    for (std::size_t i = 0; i < list.data.size(); ++i) {
        list.data[i] = i % 20 < 11 ? 0 : category;
    }
    for (std::size_t start = 0; start < 9; ++start) {
        list.codes.emplace_back(list.data.begin() + static_cast<std::ptrdiff_t>(start + 3),
                                list.data.begin() + static_cast<std::ptrdiff_t>(start + 11));
    }
    return list;
}

// The catalogue text of count cars whose first ones hold the largest list's codes.
inline std::string catalogueTextWithCodes(std::size_t count, const std::vector<Bytes>& codes) {
    std::string text;
    char line[64];
    for (std::size_t i = 0; i < codes.size(); ++i) {
        std::string hex;
        for (const auto byte : codes[i]) {
            std::snprintf(line, sizeof line, "%02X", byte);
            hex += line;
        }
        text += hex + " = Liste " + std::to_string(i + 1) + "\r\n";
    }
    return text + catalogueText(count - codes.size());
}

// A hostile pair: every catalogue line carries the same code, and the savegame holds as
// many records of it as fit, back to back, so the list would have lines x records rows.
struct HostilePair {
    std::string catalogue;
    Bytes data;
};

inline HostilePair hostilePair(std::size_t lines, std::size_t records) {
    const Bytes code{1, 2, 3, 4, 5, 6, 7, 8};
    HostilePair pair{{}, Bytes(SavegameSize, 0xEE)};
    for (std::size_t i = 0; i < lines; ++i) {
        pair.catalogue += "0102030405060708 = Wagen " + std::to_string(i + 1) + "\r\n";
    }
    for (std::size_t i = 0; i < records; ++i) {
        test::placeRecord(pair.data, i * 12, code, 1);
    }
    return pair;
}

// The mean wall time of a call over repeats runs, in microseconds.
template <class Call> double meanMicroseconds(int repeats, Call call) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < repeats; ++i) {
        call();
    }
    const std::chrono::duration<double, std::micro> elapsed =
        std::chrono::steady_clock::now() - start;
    return elapsed.count() / repeats;
}

} // namespace garagon::bench
