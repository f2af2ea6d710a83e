#pragma once

#include "catalogue_parser.hpp"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace garagon::modVelox {

// The catalogue table: index 0 empty, cars at 1 .. WagenAnzahl in file order.
extern std::vector<WagenEintrag> Wagen;
extern std::int16_t WagenAnzahl;

struct Wagenlistenbericht {
    bool gefunden = false;
    // German report of catalogue lines that were not taken over; empty when all were.
    std::string fehler;
};

// Reads Cardata.txt from the folder of the running executable into Wagen.
Wagenlistenbericht LadeWagenliste();
// The same from another folder.
Wagenlistenbericht LadeWagenliste(const std::filesystem::path& ordner);

std::filesystem::path programmordner();

} // namespace garagon::modVelox
