#include "loaded_catalogue.hpp"

#include "file_system.hpp"

#include <cstdlib>
#include <span>
#include <utility>

namespace garagon {
namespace {

#ifdef GARAGON_PLAYER_CATALOGUE
// Where the freedesktop rules keep a user's data; the Flatpak sets XDG_DATA_HOME to the
// app's own folder under ~/.var/app.
std::filesystem::path playerDataFolder() {
    if (const char* dataHome = std::getenv("XDG_DATA_HOME");
        dataHome != nullptr && std::filesystem::path(dataHome).is_absolute()) {
        return std::filesystem::path(dataHome) / "garagon";
    }
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home != nullptr ? home : "") / ".local/share/garagon";
}
#endif

} // namespace

std::filesystem::path catalogueFolder() {
#ifdef GARAGON_PLAYER_CATALOGUE
    const auto player = playerDataFolder();
    if (platform::nameState(player / "Cardata.txt") != platform::NameState::Free) {
        return player;
    }
#endif
    return platform::programFolder();
}

LoadedCatalogue loadCatalogue(const std::filesystem::path& programFolder) {
    LoadedCatalogue catalogue{modVelox::readCatalogue(programFolder)};
    catalogue.index = CodeIndex(std::span(catalogue.file.cars).subspan(1));
    return catalogue;
}

std::future<LoadedCatalogue> loadCatalogueAhead(std::filesystem::path programFolder) {
    return std::async(std::launch::async,
                      [folder = std::move(programFolder)] { return loadCatalogue(folder); });
}

} // namespace garagon
