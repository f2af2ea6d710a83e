#pragma once

#include "file_system.hpp"

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

// The counter of backup names is a 32-bit signed number.
inline constexpr unsigned long lastBackupNumber = 2'147'483'647;

// Gives a file the first free backup name of the savegame from number on, by a step that
// fails with NameTaken where the name is taken: then the next number is tried. The look at
// a name is only a guess, and one that failed for another reason leaves the true reason to
// the step. Any other failure ends the search; number is then the one that failed.
template <class NameState, class Step>
platform::SystemError takeBackupName(const std::filesystem::path& savegame, NameState nameState,
                                     unsigned long& number, std::filesystem::path& backup,
                                     Step step) {
    for (; number <= lastBackupNumber; ++number) {
        const auto candidate = backupName(savegame, number);
        if (nameState(candidate) == platform::NameState::Taken) {
            continue;
        }
        const platform::SystemError error = step(candidate);
        if (!error) {
            backup = candidate;
            return {};
        }
        if (error.kind != platform::Failure::NameTaken) {
            return error;
        }
    }
    return {platform::Failure::NameTaken, 0};
}

} // namespace garagon
