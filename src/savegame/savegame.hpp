#pragma once

#include <cstddef>

namespace garagon {

// Every savegame of the game has exactly this length (0xF86C).
inline constexpr std::size_t SavegameSize = 63596;

} // namespace garagon
