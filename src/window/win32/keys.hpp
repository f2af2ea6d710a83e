#pragma once

#include "commands.hpp"

#include <windows.h>

namespace garagon::win32 {

// The declared keys as Windows' virtual-key codes.
constexpr WPARAM virtualKey(Key key) {
    switch (key) {
    case Key::Up:
        return VK_UP;
    case Key::Down:
        return VK_DOWN;
    case Key::PageUp:
        return VK_PRIOR;
    case Key::PageDown:
        return VK_NEXT;
    case Key::F:
        return 'F';
    case Key::F10:
        return VK_F10;
    case Key::Menu:
        break;
    }
    return VK_APPS;
}

// The id of a menu command, the same in the system menu and the context menu; the system
// menu keeps the low four bits of its ids for itself.
constexpr UINT menuId(Command command) {
    return 0x0200 + 0x10 * static_cast<UINT>(command);
}

} // namespace garagon::win32
