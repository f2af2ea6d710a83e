#include "loading.hpp"

#include "file_system.hpp"
#include "savegame.hpp"

namespace garagon {

LoadResult loadSavegame(const std::filesystem::path& path) {
    const auto file = platform::existingFile(path);
    if (!file) {
        return {LoadStatus::NotFound, {}};
    }
    if (file->size != SavegameSize) {
        return {LoadStatus::NotASavegame, {}};
    }
    // The file may change before or while it is read: one byte more than a savegame
    // tells that it grew.
    auto read = platform::readFile(path, SavegameSize + 1);
    switch (read.status) {
    case platform::ReadStatus::NotFound:
        return {LoadStatus::NotFound, {}};
    case platform::ReadStatus::Failed:
        return {LoadStatus::ReadError, {}};
    case platform::ReadStatus::Read:
        break;
    }
    if (read.bytes.size() != SavegameSize) {
        return {LoadStatus::NotASavegame, {}};
    }
    return {LoadStatus::Loaded, std::move(read.bytes)};
}

} // namespace garagon
