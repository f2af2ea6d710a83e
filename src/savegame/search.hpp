#pragma once

#include "bytes.hpp"
#include "catalogue_parser.hpp"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace garagon {

// The byte after a car record's code: which list of the game the car is in.
enum class Kategorie : std::uint8_t { Laden = 1, Karriere = 2, Meine = 4 };

// Career cars win over own cars, and the shop is what remains.
Kategorie kategorieAus(bool optBuyed, bool optMY);

// One car record found: the texts of the four list columns.
struct Trefferzeile {
    std::string name;     // the catalogue name, in the catalogue's encoding
    std::string slot;     // ordinal in the list, "001" and up
    std::string position; // 1-based position of the first code byte, "00001" and up
    std::string kontext;  // 8 bytes before the record, " - ", 4 bytes from the category byte
};

// Every record "00 00 00 <code> <category>" of every car, in catalogue order and within
// one car by ascending position. The search for a car resumes 8 bytes after a match.
std::vector<Trefferzeile> findeWagensaetze(std::span<const std::uint8_t> daten,
                                           std::span<const WagenEintrag> wagen,
                                           Kategorie kategorie);

} // namespace garagon
