#pragma once

#include "bytes.hpp"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace garagon {

// One catalogue car. The name stays in the file's single-byte encoding.
struct WagenEintrag {
    std::string Name;
    Bytes Kennung;
};

// WagenAnzahl is a 16-bit signed count.
inline constexpr int MaxCars = 32767;

struct Catalogue {
    // Index 0 stays empty; cars at 1 .. size() - 1, in file order.
    std::vector<WagenEintrag> cars{WagenEintrag{}};
    // Lines whose code holds a character that is no hexadecimal digit; not taken over.
    std::vector<int> invalidLines;
    // Entries beyond MaxCars, not taken over: how many and the line of the first.
    int surplusEntries = 0;
    int firstSurplusLine = 0;
    // The first line ended by a lone CR or LF (0: none). Entries are still read as always,
    // but such a file is not what it should be, and the user has to learn it.
    int strayLineEnd = 0;

    bool hasProblems() const {
        return !invalidLines.empty() || surplusEntries > 0 || strayLineEnd > 0;
    }
};

// Parses the bytes of Cardata.txt: "code = name" entries, each ended by CR LF.
Catalogue parseCatalogue(std::string_view text);

// The German report of the lines that were not taken over, lines joined by CR LF.
std::string catalogueProblemsText(const Catalogue& catalogue);

} // namespace garagon
