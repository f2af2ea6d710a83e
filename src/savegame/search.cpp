#include "search.hpp"

#include "hex.hpp"

#include <algorithm>
#include <cstdio>

namespace garagon {
namespace {

constexpr std::size_t contextBefore = 8;
constexpr std::size_t contextAfter = 4;
constexpr std::size_t codeOffset = 3;
constexpr std::size_t categoryOffset = 11;
constexpr std::size_t recordLength = 12;
constexpr std::size_t resumeDistance = 8;

std::string zeroPadded(std::uint64_t value, int digits) {
    char text[32];
    std::snprintf(text, sizeof text, "%0*llu", digits, static_cast<unsigned long long>(value));
    return text;
}

// A byte that lies outside the buffer shows as "--".
std::string hexBytes(std::span<const std::uint8_t> data, std::ptrdiff_t from, std::size_t count) {
    std::string text;
    for (std::ptrdiff_t i = from; i < from + static_cast<std::ptrdiff_t>(count); ++i) {
        if (i < 0 || i >= static_cast<std::ptrdiff_t>(data.size())) {
            text += "--";
        } else {
            modVelox::appendHex(text, data.subspan(static_cast<std::size_t>(i), 1));
        }
    }
    return text;
}

std::string contextText(std::span<const std::uint8_t> data, std::size_t recordStart) {
    const auto start = static_cast<std::ptrdiff_t>(recordStart);
    return hexBytes(data, start - static_cast<std::ptrdiff_t>(contextBefore), contextBefore) +
           " - " +
           hexBytes(data, start + static_cast<std::ptrdiff_t>(categoryOffset), contextAfter);
}

Bytes recordPattern(const Bytes& code, Category category) {
    Bytes pattern(codeOffset, 0x00);
    pattern.insert(pattern.end(), code.begin(), code.end());
    pattern.push_back(static_cast<std::uint8_t>(category));
    return pattern;
}

struct GroupHit {
    std::uint32_t group;
    std::size_t recordStart;
};

// Every place that holds a record of some 8-byte catalogue code, ascending.
std::vector<GroupHit> walkOnce(std::span<const std::uint8_t> data, const CodeIndex& index,
                               Category category) {
    std::vector<GroupHit> hits;
    if (data.size() < recordLength || index.empty()) {
        return hits;
    }
    const auto categoryByte = static_cast<std::uint8_t>(category);
    const std::uint8_t* bytes = data.data();
    for (std::size_t at = 0; at + recordLength <= data.size(); ++at) {
        if (bytes[at + categoryOffset] != categoryByte || bytes[at] != 0 || bytes[at + 1] != 0 ||
            bytes[at + 2] != 0) {
            continue;
        }
        if (const auto group = index.groupOf(codeAt(bytes + at + codeOffset));
            group != CodeIndex::none) {
            hits.push_back({group, at});
        }
    }
    return hits;
}

// Where one car's record starts lie in FoundRecords' list: [first, first + count).
struct StartRange {
    std::size_t first = 0;
    std::size_t count = 0;
};

// Within one code the rule of the plain scan holds: a record less than 8 bytes after the
// last one taken is not found. Hits come grouped by code; each group's starts are stored
// once and shared by all its cars.
std::vector<StartRange> takeWithResumeRule(const std::vector<GroupHit>& hits,
                                           const CodeIndex& index,
                                           std::vector<std::size_t>& starts) {
    std::vector<StartRange> ofCar(index.carCount());
    for (std::size_t i = 0; i < hits.size();) {
        const std::uint32_t group = hits[i].group;
        const std::size_t first = starts.size();
        std::size_t next = 0;
        for (; i < hits.size() && hits[i].group == group; ++i) {
            if (hits[i].recordStart >= next) {
                starts.push_back(hits[i].recordStart);
                next = hits[i].recordStart + resumeDistance;
            }
        }
        for (auto car = index.firstCar(group); car != CodeIndex::none; car = index.nextCar(car)) {
            ofCar[car] = {first, starts.size() - first};
        }
    }
    return ofCar;
}

} // namespace

std::vector<std::size_t> scanForCode(std::span<const std::uint8_t> data, const Bytes& code,
                                     Category category) {
    const Bytes pattern = recordPattern(code, category);
    std::vector<std::size_t> starts;
    for (auto from = data.begin();;) {
        const auto match = std::search(from, data.end(), pattern.begin(), pattern.end());
        if (match == data.end()) {
            return starts;
        }
        starts.push_back(static_cast<std::size_t>(match - data.begin()));
        if (static_cast<std::size_t>(data.end() - match) <= resumeDistance) {
            return starts;
        }
        from = match + resumeDistance;
    }
}

FoundRecords findRecords(std::span<const std::uint8_t> data, const CodeIndex& index,
                         Category category) {
    std::vector<GroupHit> hits = walkOnce(data, index, category);
    std::stable_sort(hits.begin(), hits.end(),
                     [](const GroupHit& a, const GroupHit& b) { return a.group < b.group; });
    FoundRecords found;
    std::vector<StartRange> ofCar = takeWithResumeRule(hits, index, found.starts_);
    for (const auto& odd : index.oddCodes()) {
        const auto starts = scanForCode(data, odd.code, category);
        ofCar[odd.car] = {found.starts_.size(), starts.size()};
        found.starts_.insert(found.starts_.end(), starts.begin(), starts.end());
    }
    for (std::size_t car = 0; car < ofCar.size(); ++car) {
        if (ofCar[car].count > 0) {
            found.runs_.push_back({found.rows_, car, ofCar[car].first});
            found.rows_ += ofCar[car].count;
        }
    }
    return found;
}

RecordMatch FoundRecords::operator[](std::uint64_t row) const {
    const auto after =
        std::upper_bound(runs_.begin(), runs_.end(), row,
                         [](std::uint64_t r, const CarRun& run) { return r < run.firstRow; });
    const CarRun& run = *(after - 1);
    return {run.car, starts_[run.firstStart + static_cast<std::size_t>(row - run.firstRow)]};
}

std::vector<RecordMatch> FoundRecords::distinctRecords() const {
    std::vector<RecordMatch> records;
    std::vector<bool> runTaken(starts_.size() + 1, false);
    for (std::size_t i = 0; i < runs_.size(); ++i) {
        if (runTaken[runs_[i].firstStart]) {
            continue; // a car of the same code came first
        }
        runTaken[runs_[i].firstStart] = true;
        const std::uint64_t end = i + 1 < runs_.size() ? runs_[i + 1].firstRow : rows_;
        for (std::uint64_t k = 0; k < end - runs_[i].firstRow; ++k) {
            records.push_back({runs_[i].car, starts_[runs_[i].firstStart + k]});
        }
    }
    std::stable_sort(
        records.begin(), records.end(),
        [](const RecordMatch& a, const RecordMatch& b) { return a.recordStart < b.recordStart; });
    records.erase(std::unique(records.begin(), records.end(),
                              [](const RecordMatch& a, const RecordMatch& b) {
                                  return a.recordStart == b.recordStart;
                              }),
                  records.end());
    return records;
}

ResultRow resultRow(std::span<const std::uint8_t> data, std::span<const WagenEintrag> cars,
                    const FoundRecords& found, std::uint64_t row) {
    const RecordMatch match = found[row];
    return {cars[match.car].Name, zeroPadded(row + 1, 3),
            zeroPadded(match.recordStart + 1 + codeOffset, 5),
            contextText(data, match.recordStart)};
}

std::vector<ResultRow> resultRows(std::span<const std::uint8_t> data,
                                  std::span<const WagenEintrag> cars, const FoundRecords& found) {
    std::vector<ResultRow> rows;
    for (std::uint64_t row = 0; row < found.size(); ++row) {
        rows.push_back(resultRow(data, cars, found, row));
    }
    return rows;
}

std::vector<ResultRow> listCarRecords(std::span<const std::uint8_t> data,
                                      std::span<const WagenEintrag> cars, Category category) {
    return resultRows(data, cars, findRecords(data, CodeIndex(cars), category));
}

} // namespace garagon
