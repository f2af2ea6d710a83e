#pragma once

#include "bytes.hpp"

#include <string>

namespace garagon {

enum class Ladestatus {
    Geladen,
    NichtGefunden,  // no regular file at the path
    KeinSpielstand, // not exactly SpielstandGroesse bytes
    Lesefehler,     // opening or reading failed
};

struct Ladeergebnis {
    Ladestatus status = Ladestatus::NichtGefunden;
    // The whole file after a successful load; empty otherwise, so that nothing of an
    // earlier savegame can later be written under a rejected file's name.
    Bytes daten;
};

Ladeergebnis ladeSpielstand(const std::string& pfad);

} // namespace garagon
