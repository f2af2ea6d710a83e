#include "modVelox.hpp"

#include "file_system.hpp"

#include <cstdint>
#include <utility>

namespace garagon::modVelox {

std::vector<WagenEintrag> Wagen{WagenEintrag{}};
std::int16_t WagenAnzahl = 0;

CatalogueFile readCatalogue(const std::filesystem::path& folder) {
    const auto path = folder / "Cardata.txt";
    if (!platform::existingFile(path)) {
        return {};
    }
    // The whole file in one read; a failing read is an error, never a shorter file.
    const auto read = platform::readFile(path, SIZE_MAX);
    switch (read.status) {
    case platform::ReadStatus::NotFound:
        return {};
    case platform::ReadStatus::Failed:
        return {{CatalogueStatus::ReadError, read.error, {}}};
    case platform::ReadStatus::Read:
        break;
    }
    CatalogueFile file;
    file.report.status = CatalogueStatus::Read;
    Catalogue catalogue = parseCatalogue(
        std::string_view(reinterpret_cast<const char*>(read.bytes.data()), read.bytes.size()));
    file.cars = std::move(catalogue.cars);
    if (catalogue.hasProblems()) {
        file.report.problems = catalogueProblemsText(catalogue);
    }
    return file;
}

CatalogueReport takeCatalogue(CatalogueFile file) {
    Wagen = std::move(file.cars);
    WagenAnzahl = static_cast<std::int16_t>(Wagen.size() - 1);
    return std::move(file.report);
}

CatalogueReport LadeWagenliste(const std::filesystem::path& folder) {
    return takeCatalogue(readCatalogue(folder));
}

} // namespace garagon::modVelox
