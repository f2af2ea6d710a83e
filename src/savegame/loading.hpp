#pragma once

#include "bytes.hpp"

#include <filesystem>

namespace garagon {

enum class LoadStatus {
    Loaded,
    NotFound,     // no regular file at the path
    NotASavegame, // not exactly SavegameSize bytes
    ReadError,    // opening or reading failed
};

struct LoadResult {
    LoadStatus status = LoadStatus::NotFound;
    // The whole file after a successful load; empty otherwise, so that nothing of an
    // earlier savegame can later be written under a rejected file's name.
    Bytes data;
};

LoadResult loadSavegame(const std::filesystem::path& path);

} // namespace garagon
