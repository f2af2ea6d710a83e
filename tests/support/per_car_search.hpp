#pragma once

#include "search.hpp"

namespace garagon::test {

// The plain search that the one-pass search must equal: one scan of the whole savegame
// per catalogue car, in catalogue order.
inline std::vector<RecordMatch> perCarSearch(std::span<const std::uint8_t> data,
                                             std::span<const WagenEintrag> cars,
                                             Category category) {
    std::vector<RecordMatch> matches;
    for (std::size_t car = 0; car < cars.size(); ++car) {
        for (const std::size_t start : scanForCode(data, cars[car].Kennung, category)) {
            matches.push_back({car, start});
        }
    }
    return matches;
}

// Every row of a search result, for comparing it whole.
inline std::vector<RecordMatch> allMatches(const FoundRecords& found) {
    std::vector<RecordMatch> matches;
    for (std::uint64_t row = 0; row < found.size(); ++row) {
        matches.push_back(found[row]);
    }
    return matches;
}

} // namespace garagon::test
