#include "loaded_catalogue.hpp"

#include <span>
#include <utility>

namespace garagon {

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
