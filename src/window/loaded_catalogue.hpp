#pragma once

#include "code_index.hpp"
#include "modVelox.hpp"

#include <filesystem>
#include <future>

namespace garagon {

// The catalogue as the window loads it: read from the program's folder, its codes indexed.
struct LoadedCatalogue {
    modVelox::CatalogueFile file;
    CodeIndex index{{}};
};
LoadedCatalogue loadCatalogue(const std::filesystem::path& programFolder);

// The folder whose Cardata.txt is the catalogue: the program's own. Built for the Flatpak,
// whose program folder no player can change, it is the player's data folder
// (XDG_DATA_HOME/garagon) wherever anything there has that name, even an empty file.
std::filesystem::path catalogueFolder();

// Loads it on a thread of its own, to be ready when the window, built meanwhile, takes it:
// with the largest catalogue that is most of what the catalogue adds to the start.
std::future<LoadedCatalogue> loadCatalogueAhead(std::filesystem::path programFolder);

} // namespace garagon
