#pragma once

#include "bytes.hpp"

#include <cstddef>

namespace garagon {

enum class ReplaceStatus {
    Replaced,
    WrongLength,     // the new code is not 8 bytes long
    InvalidPosition, // the 8 bytes at the position are not all inside the buffer
};

inline constexpr std::size_t CodeLength = 8;

// Overwrites the 8 code bytes at the 1-based position with the new code. Anything but
// success leaves the buffer as it was, so a savegame never changes its length.
ReplaceStatus replaceCode(Bytes& data, std::size_t position, const Bytes& code);

} // namespace garagon
