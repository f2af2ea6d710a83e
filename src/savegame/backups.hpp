#pragma once

#include "bytes.hpp"
#include "code_index.hpp"
#include "search.hpp"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace garagon {

// An earlier version of the savegame p, kept by a save as p.~N.
struct Backup {
    std::filesystem::path path;
    unsigned long number = 0;
    std::uint64_t size = 0;
    std::optional<std::chrono::system_clock::time_point> modified; // none where it cannot be told
    bool onlyInCloud = false;                                      // reading it downloads it first
};

// Every backup beside the savegame, from one reading of its folder, the most recently
// changed first: later saves fill gaps, so the highest number is not always the newest.
// Those whose time cannot be told come last.
std::vector<Backup> findBackups(const std::filesystem::path& savegame);

// A car record that is not the same in the savegame and in a backup.
struct CarChange {
    Category category;
    std::size_t position; // 1-based position of the first code byte, as the list shows it
    // Catalogue index (0-based) of the car there, or none where no catalogue car is.
    std::size_t inSavegame;
    std::size_t inBackup;
    static constexpr std::size_t none = SIZE_MAX;
};

struct BackupComparison {
    enum class Kind { NotASavegame, Same, Different };
    Kind kind = Kind::NotASavegame;
    std::vector<CarChange> cars; // by category, then position
    std::size_t otherBytes = 0;  // differing bytes outside those records: checksums, progress
};

// What a backup changes of a savegame, found with the search and catalogue of the list.
BackupComparison compareWithBackup(std::span<const std::uint8_t> savegame,
                                   std::span<const std::uint8_t> backup, const CodeIndex& index);

} // namespace garagon
