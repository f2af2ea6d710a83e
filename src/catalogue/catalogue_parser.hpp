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
inline constexpr int MaxWagen = 32767;

struct Katalog {
    // Index 0 stays empty; cars at 1 .. size() - 1, in file order.
    std::vector<WagenEintrag> wagen{WagenEintrag{}};
    // Lines whose code holds a character that is no hexadecimal digit; not taken over.
    std::vector<int> ungueltigeZeilen;
    // Entries beyond MaxWagen, not taken over: how many and the line of the first.
    int ueberzaehlige = 0;
    int ersteUeberzaehligeZeile = 0;
    // The first line ended by a lone CR or LF (0: none). Entries are still read as always,
    // but such a file is not what it should be, and the user has to learn it.
    int fremdesZeilenende = 0;

    bool hatFehler() const {
        return !ungueltigeZeilen.empty() || ueberzaehlige > 0 || fremdesZeilenende > 0;
    }
};

// Parses the bytes of Cardata.txt: "code = name" entries, each ended by CR LF.
Katalog parseKatalog(std::string_view text);

// The German report of the lines that were not taken over, lines joined by CR LF.
std::string katalogfehlerText(const Katalog& katalog);

} // namespace garagon
