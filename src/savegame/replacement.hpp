#pragma once

#include "bytes.hpp"

#include <cstddef>

namespace garagon {

enum class Ersetzstatus {
    Ersetzt,
    FalscheLaenge,      // the new code is not 8 bytes long
    UngueltigePosition, // the 8 bytes at the position are not all inside the buffer
};

inline constexpr std::size_t KennungLaenge = 8;

// Overwrites the 8 code bytes at the 1-based position with the new code. Anything but
// success leaves the buffer as it was, so a savegame never changes its length.
Ersetzstatus ersetzeKennung(Bytes& daten, std::size_t position, const Bytes& kennung);

} // namespace garagon
