#pragma once

#include <filesystem>
#include <optional>

namespace garagon {

// The name of backup N of the savegame at path: the path followed by ".~N".
std::filesystem::path backupName(const std::filesystem::path& savegame, unsigned long number);

// A name p.~N taken apart: p, and N in decimal without leading zeros, from 1 up. In their
// native form: no name is converted, so none can fail to be.
struct BackupNameParts {
    std::filesystem::path::string_type savegame;
    unsigned long number = 0;
};
std::optional<BackupNameParts> backupNameParts(const std::filesystem::path::string_type& name);

} // namespace garagon
