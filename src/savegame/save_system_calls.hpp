#pragma once

#include "file_system.hpp"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

namespace garagon {

// The system calls whose failure decides how a save must be undone. Tests replace them
// to fail or to stop the process where a real fault cannot be produced on demand.
struct SaveSystemCalls {
    platform::SystemError (*link)(const std::filesystem::path&,
                                  const std::filesystem::path&) = platform::hardLink;
    platform::SystemError (*rename)(const std::filesystem::path&,
                                    const std::filesystem::path&) = platform::replaceFile;
    platform::SystemError (*flush)(platform::FileHandle) = platform::flushFile;
    // The copy of the old file takes its backup name by this rename, which never replaces.
    platform::SystemError (*renameToNew)(const std::filesystem::path&,
                                         const std::filesystem::path&) = platform::renameToNewName;
    // Only a guess at a free backup name: the step that takes the name decides.
    platform::NameState (*nameState)(const std::filesystem::path&) = platform::nameState;
    // Frees the savegame's name where a rename cannot replace it, and takes the backup's
    // name away again after a failed save.
    platform::SystemError (*remove)(const std::filesystem::path&) = platform::removeFile;
    // Names the program whose hold refused the save.
    std::optional<std::string> (*holder)(const std::filesystem::path&) = platform::holderOf;
    // How long a save waits for another one into the same folder to finish.
    std::chrono::milliseconds lockWait{3000};
};

} // namespace garagon
