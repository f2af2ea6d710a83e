#pragma once

#include "file_system.hpp"

#include <chrono>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

namespace garagon {

// The folder side of a save: the lock that serialises all saves into one folder, the
// short-named temporary files a save writes there, and flushing the folder's entries.
class SaveFolder {
  public:
    explicit SaveFolder(std::filesystem::path folder) : path_(std::move(folder)) {}

    const std::filesystem::path& path() const { return path_; }
    bool isGone() const;

    // Takes the exclusive lock, waiting at most the given time. The lock is held until
    // this object goes and dies with its process, so a killed save never blocks the next.
    platform::SystemError lock(std::chrono::milliseconds wait) { return lock_.lock(path_, wait); }

    // Removes the temporary files of interrupted saves. Only while the lock is held, so
    // that no running save loses its files. A whole savegame under a temporary name stays
    // while the savegame of a backup in the folder is missing: it may be the only copy.
    void removeStaleTemporaries() const;

    // Writes and flushes a new file of a unique short name in the folder, so that
    // temporary names never shorten the savegame names that can be saved.
    platform::SystemError writeTemporary(std::span<const std::uint8_t> bytes,
                                         platform::Likeness likeness,
                                         platform::SystemError (*flush)(platform::FileHandle),
                                         std::filesystem::path& name) const;

    platform::SystemError flush(platform::SystemError (*flush)(platform::FileHandle)) const {
        return lock_.flush(flush);
    }

  private:
    bool savegameMissing(const std::vector<platform::FolderFile>& files) const;

    std::filesystem::path path_;
    platform::FolderLock lock_;
};

// ".~garagon-" and six lower-case letters or digits: FAT folds case.
bool isTemporaryName(std::string_view name);

} // namespace garagon
