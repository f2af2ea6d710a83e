#include "modVelox.hpp"

#include "file_descriptor.hpp"
#include "file_exists.hpp"
#include "file_io.hpp"

#include <cerrno>
#include <fcntl.h>

namespace garagon::modVelox {

std::vector<WagenEintrag> Wagen{WagenEintrag{}};
std::int16_t WagenAnzahl = 0;

namespace {

// The whole file in one read; a failing read is an error, never a shorter file.
CatalogueStatus readWholeFile(const std::string& path, std::string& content, int& error) {
    if (!existingFile(path)) {
        return CatalogueStatus::NotFound;
    }
    // Non-blocking, so that a FIFO swapped in after the check cannot hang the start.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat info {};
    if (!fd.valid() || ::fstat(fd.get(), &info) != 0) {
        error = errno;
        return error == ENOENT ? CatalogueStatus::NotFound : CatalogueStatus::ReadError;
    }
    if (!isExistingFile(info)) {
        return CatalogueStatus::NotFound;
    }
    content.resize(static_cast<std::size_t>(info.st_size));
    const ssize_t n =
        readFully(fd.get(), reinterpret_cast<std::uint8_t*>(content.data()), content.size());
    if (n < 0) {
        error = errno;
        return CatalogueStatus::ReadError;
    }
    content.resize(static_cast<std::size_t>(n));
    return CatalogueStatus::Read;
}

} // namespace

CatalogueReport LadeWagenliste(const std::filesystem::path& folder) {
    Wagen.assign(1, WagenEintrag{});
    WagenAnzahl = 0;
    std::string content;
    CatalogueReport report;
    report.status = readWholeFile((folder / "Cardata.txt").string(), content, report.error);
    if (report.status != CatalogueStatus::Read) {
        return report;
    }
    Catalogue catalogue = parseCatalogue(content);
    Wagen = std::move(catalogue.cars);
    WagenAnzahl = static_cast<std::int16_t>(Wagen.size() - 1);
    if (catalogue.hasProblems()) {
        report.problems = catalogueProblemsText(catalogue);
    }
    return report;
}

} // namespace garagon::modVelox
