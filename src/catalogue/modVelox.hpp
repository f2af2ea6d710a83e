#pragma once

#include "catalogue_parser.hpp"
#include "file_system.hpp"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace garagon::modVelox {

// The catalogue table: index 0 empty, cars at 1 .. WagenAnzahl in file order.
extern std::vector<WagenEintrag> Wagen;
extern std::int16_t WagenAnzahl;

enum class CatalogueStatus {
    Read,
    NotFound,  // no existing file named Cardata.txt
    ReadError, // the file is there but could not be read whole
};

struct CatalogueReport {
    CatalogueStatus status = CatalogueStatus::NotFound;
    platform::SystemError error; // why the file could not be read
    // German report of catalogue lines that were not taken over; empty when all were.
    std::string problems;
};

// Reads Cardata.txt from the given folder, the program's own, into Wagen. Anything
// but a complete read leaves the table empty.
CatalogueReport LadeWagenliste(const std::filesystem::path& folder);

} // namespace garagon::modVelox
