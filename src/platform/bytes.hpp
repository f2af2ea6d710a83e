#pragma once

#include <cstdint>
#include <vector>

namespace garagon {

// Savegames and car codes are raw bytes from reading to writing.
using Bytes = std::vector<std::uint8_t>;

} // namespace garagon
