#pragma once

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
};

struct Speicherergebnis {
    bool gespeichert = false;
    std::string titel;     // "Gespeichert" or "Fehler"
    std::string text;      // German message, lines joined by CR LF
    std::string sicherung; // the backup's full name; empty when there was no old file
};

// Where a save puts its new bytes before they replace the savegame.
std::string zwischendateiName(const std::string& pfad);

// Writes the buffer to pfad and keeps the file that was there under pfad.~N, N the first
// free number: a second name of the old file, or a flushed copy where the file system has
// no hard links. The new bytes go to a flushed temporary file that is renamed over pfad,
// so pfad holds the old or the new bytes at every instant. A failed save is undone and
// reported, never reported as success.
Speicherergebnis speichereSpielstand(const std::string& pfad, std::span<const std::uint8_t> daten,
                                     const SaveSystemCalls& sys = {});

} // namespace garagon
