#pragma once

#include "commands.hpp"

#include <QKeySequence>

namespace garagon {

// The declared keys as Qt names them.
constexpr Qt::Key qtKey(Key key) {
    switch (key) {
    case Key::Up:
        return Qt::Key_Up;
    case Key::Down:
        return Qt::Key_Down;
    case Key::PageUp:
        return Qt::Key_PageUp;
    case Key::PageDown:
        return Qt::Key_PageDown;
    case Key::F:
        return Qt::Key_F;
    case Key::F10:
        return Qt::Key_F10;
    case Key::Menu:
        break;
    }
    return Qt::Key_Menu;
}

inline QKeySequence keySequence(const Shortcut& shortcut) {
    Qt::KeyboardModifiers modifiers;
    modifiers.setFlag(Qt::ControlModifier, shortcut.control);
    modifiers.setFlag(Qt::ShiftModifier, shortcut.shift);
    return QKeySequence(QKeyCombination(modifiers, qtKey(shortcut.key)));
}

} // namespace garagon
