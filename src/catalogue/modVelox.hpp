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

// A catalogue as read, not yet the table: index 0 empty, cars at 1 .. in file order.
struct CatalogueFile {
    CatalogueReport report;
    std::vector<WagenEintrag> cars{WagenEintrag{}};
};

// Reads Cardata.txt from the given folder, the program's own. Touches neither Wagen nor
// WagenAnzahl, so it may run on any thread. Anything but a complete read gives no cars.
CatalogueFile readCatalogue(const std::filesystem::path& folder);

// Makes a catalogue read the table.
CatalogueReport takeCatalogue(CatalogueFile file);

// Reads Cardata.txt from the given folder into Wagen, as readCatalogue and takeCatalogue.
CatalogueReport LadeWagenliste(const std::filesystem::path& folder);

} // namespace garagon::modVelox
