#include "modVelox.hpp"

#include "file_system.hpp"

#include <cstdint>

namespace garagon::modVelox {

std::vector<WagenEintrag> Wagen{WagenEintrag{}};
std::int16_t WagenAnzahl = 0;

CatalogueReport LadeWagenliste(const std::filesystem::path& folder) {
    Wagen.assign(1, WagenEintrag{});
    WagenAnzahl = 0;
    const auto path = folder / "Cardata.txt";
    if (!platform::existingFile(path)) {
        return {CatalogueStatus::NotFound, {}, {}};
    }
    // The whole file in one read; a failing read is an error, never a shorter file.
    const auto read = platform::readFile(path, SIZE_MAX);
    switch (read.status) {
    case platform::ReadStatus::NotFound:
        return {CatalogueStatus::NotFound, {}, {}};
    case platform::ReadStatus::Failed:
        return {CatalogueStatus::ReadError, read.error, {}};
    case platform::ReadStatus::Read:
        break;
    }
    CatalogueReport report;
    report.status = CatalogueStatus::Read;
    Catalogue catalogue = parseCatalogue(
        std::string_view(reinterpret_cast<const char*>(read.bytes.data()), read.bytes.size()));
    Wagen = std::move(catalogue.cars);
    WagenAnzahl = static_cast<std::int16_t>(Wagen.size() - 1);
    if (catalogue.hasProblems()) {
        report.problems = catalogueProblemsText(catalogue);
    }
    return report;
}

} // namespace garagon::modVelox
