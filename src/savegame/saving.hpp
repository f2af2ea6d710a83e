#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <unistd.h>

namespace garagon {

// The system calls whose failure decides how a save must be undone. Tests replace them
// to fail or to stop the process where a real fault cannot be produced on demand.
struct SaveSystemCalls {
    int (*link)(const char*, const char*) = ::link;
    int (*rename)(const char*, const char*) = ::rename;
    int (*fsync)(int) = ::fsync;
    // How long a save waits for another one into the same folder to finish.
    std::chrono::milliseconds lockWait{3000};
};

struct SaveResult {
    bool saved = false;
    std::string title;  // "Gespeichert" or "Fehler"
    std::string text;   // German message, lines joined by CR LF
    std::string backup; // the backup's full name; empty when there was no old file
};

// Writes the buffer to path and keeps the file that was there under path.~N, N the first
// free number: a second name of the old file, or a flushed copy where the file system has
// no hard links. The new bytes go to a flushed temporary file that is renamed over path,
// so path holds the old or the new bytes at every instant. Saves into one folder, from
// any number of processes, take turns. A failed save is undone and reported, never
// reported as success.
SaveResult saveSavegame(const std::string& path, std::span<const std::uint8_t> bytes,
                        const SaveSystemCalls& sys = {});

} // namespace garagon
