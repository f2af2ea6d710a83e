#pragma once

#include "file_system.hpp"

#include <chrono>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>

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

    // Writes and flushes a new file of a unique short name in the folder, so that
    // temporary names never shorten the savegame names that can be saved.
    platform::SystemError writeTemporary(std::span<const std::uint8_t> bytes,
                                         platform::Likeness likeness,
                                         platform::SystemError (*flush)(platform::FileHandle),
                                         std::filesystem::path& name) const;

    // The same for a new version of the savegame, after a record beside it that names the
    // savegame: a save interrupted before the version took that name can be completed.
    platform::SystemError writeVersion(const std::filesystem::path& savegame,
                                       std::span<const std::uint8_t> bytes,
                                       platform::Likeness likeness,
                                       platform::SystemError (*flush)(platform::FileHandle),
                                       std::filesystem::path& name) const;

    // Whether a file here can take a name that nothing has, as a rename over a name may be
    // refused where that works: tried on an empty temporary file.
    bool
        renamesToNewNames(platform::SystemError (*renameToNew)(const std::filesystem::path&,
                                                               const std::filesystem::path&)) const;

    platform::SystemError flush(platform::SystemError (*flush)(platform::FileHandle)) const {
        return lock_.flush(flush);
    }

  private:
    // Gives name a unique short name in the folder and makes the file by the given step,
    // which fails with NameTaken where that name is taken already.
    template <class Make>
    platform::SystemError underNewName(std::filesystem::path& name, Make make) const;

    std::filesystem::path path_;
    platform::FolderLock lock_;
};

// ".~garagon-" and six lower-case letters or digits: FAT folds case.
bool isTemporaryName(std::string_view name);

// The record beside a temporary file: its name followed by ".name".
bool isRecordName(std::string_view name);
std::filesystem::path recordOf(const std::filesystem::path& temporary);
// The temporary file's name of a record's name.
std::filesystem::path temporaryOf(std::string_view record);

// The name under which a version that cannot be placed is kept: "Garagon-Rettung-" and
// the temporary name's six letters or digits, ".sav".
std::filesystem::path rescueName(const std::filesystem::path& temporary);

// The file name of the savegame that the temporary file was written for, where its record
// tells it.
std::optional<std::filesystem::path> recordedSavegame(const std::filesystem::path& temporary);

} // namespace garagon
