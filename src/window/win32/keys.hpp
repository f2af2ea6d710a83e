#pragma once

#include "commands.hpp"

#include <iterator>

#include <windows.h>

namespace garagon::win32 {

// The declared keys as Windows' virtual-key codes, in the order of Key.
inline constexpr WPARAM virtualKeys[] = {VK_UP,  VK_DOWN, VK_PRIOR, VK_NEXT, 'F',
                                         VK_F10, VK_APPS, 'S',      'Y',     'Z'};

static_assert(std::size(virtualKeys) == static_cast<std::size_t>(Key::Count));

constexpr WPARAM virtualKey(Key key) {
    return virtualKeys[static_cast<std::size_t>(key)];
}

// The id of a menu command, the same in the system menu and the context menu; the system
// menu keeps the low four bits of its ids for itself.
constexpr UINT menuId(Command command) {
    return 0x0200 + 0x10 * static_cast<UINT>(command);
}

} // namespace garagon::win32
