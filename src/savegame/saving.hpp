#pragma once

#include "save_system_calls.hpp"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace garagon {

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
