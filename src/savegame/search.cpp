#include "search.hpp"

#include <algorithm>
#include <cstdio>

namespace garagon {
namespace {

constexpr std::size_t contextBefore = 8;
constexpr std::size_t contextAfter = 4;
constexpr std::size_t codeOffset = 3;
constexpr std::size_t categoryOffset = 11;
constexpr std::size_t resumeDistance = 8;

std::string zeroPadded(std::size_t value, int digits) {
    char text[32];
    std::snprintf(text, sizeof text, "%0*zu", digits, value);
    return text;
}

// A byte that lies outside the buffer shows as "--".
std::string hexBytes(std::span<const std::uint8_t> daten, std::ptrdiff_t from, std::size_t count) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text;
    for (std::ptrdiff_t i = from; i < from + static_cast<std::ptrdiff_t>(count); ++i) {
        if (i < 0 || i >= static_cast<std::ptrdiff_t>(daten.size())) {
            text += "--";
            continue;
        }
        text += digits[daten[static_cast<std::size_t>(i)] >> 4];
        text += digits[daten[static_cast<std::size_t>(i)] & 0x0F];
    }
    return text;
}

std::string contextText(std::span<const std::uint8_t> daten, std::size_t recordStart) {
    const auto start = static_cast<std::ptrdiff_t>(recordStart);
    return hexBytes(daten, start - static_cast<std::ptrdiff_t>(contextBefore), contextBefore) +
           " - " +
           hexBytes(daten, start + static_cast<std::ptrdiff_t>(categoryOffset), contextAfter);
}

Bytes recordPattern(const Bytes& kennung, Kategorie kategorie) {
    Bytes pattern(codeOffset, 0x00);
    pattern.insert(pattern.end(), kennung.begin(), kennung.end());
    pattern.push_back(static_cast<std::uint8_t>(kategorie));
    return pattern;
}

void appendMatches(std::vector<Trefferzeile>& rows, std::span<const std::uint8_t> daten,
                   const WagenEintrag& wagen, Kategorie kategorie) {
    const Bytes pattern = recordPattern(wagen.Kennung, kategorie);
    auto from = daten.begin();
    while (true) {
        const auto match = std::search(from, daten.end(), pattern.begin(), pattern.end());
        if (match == daten.end()) {
            return;
        }
        const auto recordStart = static_cast<std::size_t>(match - daten.begin());
        rows.push_back({wagen.Name,
                        {},
                        zeroPadded(recordStart + 1 + codeOffset, 5),
                        contextText(daten, recordStart)});
        if (static_cast<std::size_t>(daten.end() - match) <= resumeDistance) {
            return;
        }
        from = match + resumeDistance;
    }
}

} // namespace

Kategorie kategorieAus(bool optBuyed, bool optMY) {
    if (optBuyed) {
        return Kategorie::Karriere;
    }
    return optMY ? Kategorie::Meine : Kategorie::Laden;
}

std::vector<Trefferzeile> findeWagensaetze(std::span<const std::uint8_t> daten,
                                           std::span<const WagenEintrag> wagen,
                                           Kategorie kategorie) {
    std::vector<Trefferzeile> rows;
    for (const auto& eintrag : wagen) {
        appendMatches(rows, daten, eintrag, kategorie);
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i].slot = zeroPadded(i + 1, 3);
    }
    return rows;
}

} // namespace garagon
