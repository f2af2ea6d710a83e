#pragma once

#include "file_descriptor.hpp"

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

namespace garagon {

// The folder side of a save: the lock that serialises all saves into one folder, the
// short-named temporary files a save writes there, and flushing the folder's entries.
class SaveFolder {
  public:
    explicit SaveFolder(std::filesystem::path folder) : path_(std::move(folder)) {}

    const std::filesystem::path& path() const { return path_; }
    bool isGone() const;

    // Takes the exclusive lock, waiting at most the given time; returns 0 or the error
    // number, EWOULDBLOCK when another save held it all along. The lock is held until this
    // object goes and dies with its process, so a killed save never blocks the next one.
    int lock(std::chrono::milliseconds wait);

    // Removes the temporary files of interrupted saves. Only while the lock is held, so
    // that no running save loses its files.
    void removeStaleTemporaries() const;

    // Creates an empty file of a unique short name in the folder, so that temporary
    // names never shorten the savegame names that can be saved.
    FileDescriptor createTemporary(std::string& name) const;

    // fsync of the folder. Best effort where the folder may be written but not read:
    // the rename before it is atomic, and there is no descriptor to flush with.
    int flush(int (*fsync)(int)) const;

  private:
    std::filesystem::path path_;
    FileDescriptor folder_;   // open for reading and locked, where it can be read
    FileDescriptor lockFile_; // locked instead where the folder cannot be read
};

// ".~garagon-" and six lower-case letters or digits: FAT folds case.
bool isTemporaryName(std::string_view name);

} // namespace garagon
