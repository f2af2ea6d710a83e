#pragma once

#include "file_system.hpp"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
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
    // Takes the backup's name away again after a failed save.
    bool (*remove)(const std::filesystem::path&) = platform::removeFile;
    // Names the program whose hold refused the save.
    std::optional<std::string> (*holder)(const std::filesystem::path&) = platform::holderOf;
    // How long a save waits for another one into the same folder to finish.
    std::chrono::milliseconds lockWait{3000};
};

struct SaveResult {
    bool saved = false;
    std::string title;            // "Gespeichert", "Wiederhergestellt" or "Fehler"
    std::string text;             // German message, lines joined by CR LF
    std::filesystem::path backup; // empty when there was no old file
};

// Writes the buffer to path and keeps the file that was there under path.~N, N the first
// free number: a second name of the old file, or a flushed copy where the file system
// refuses the second name. No file under a backup name is ever replaced. The new bytes go
// to a flushed temporary file that is renamed over path, so path holds the old or the new
// bytes at every instant; where path is free, that rename replaces nothing that appears
// meanwhile, which is then saved with its backup. Saves into one folder, from any number of
// processes, take turns. A failed save is undone and reported, never reported as success.
SaveResult saveSavegame(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                        const SaveSystemCalls& sys = {});

// Puts the bytes of a backup back under path by the same protocol, so the version there
// is kept as the next free backup; the restored backup stays as it is. A backup that is
// not a savegame, or cannot be read, changes nothing.
SaveResult restoreBackup(const std::filesystem::path& path, const std::filesystem::path& backup,
                         const SaveSystemCalls& sys = {});

// A savegame reached through a symbolic link is saved where the link points, so that
// the game sees the new bytes and the backups lie beside the real file.
std::filesystem::path realSavegame(const std::filesystem::path& chosen);

// The folder that holds the savegame and its backups.
std::filesystem::path savegameFolder(const std::filesystem::path& savegame);

} // namespace garagon
