#pragma once

#include "commands.hpp"

#include <iterator>

#include <QKeySequence>

namespace garagon {

// The declared keys as Qt names them, in the order of Key.
inline constexpr Qt::Key qtKeys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown,
                                     Qt::Key_F,  Qt::Key_F10,  Qt::Key_Menu,   Qt::Key_S,
                                     Qt::Key_Y,  Qt::Key_Z};

static_assert(std::size(qtKeys) == static_cast<std::size_t>(Key::Count));

constexpr Qt::Key qtKey(Key key) {
    return qtKeys[static_cast<std::size_t>(key)];
}

inline QKeySequence keySequence(const Shortcut& shortcut) {
    Qt::KeyboardModifiers modifiers;
    modifiers.setFlag(Qt::ControlModifier, shortcut.control);
    modifiers.setFlag(Qt::ShiftModifier, shortcut.shift);
    return QKeySequence(QKeyCombination(modifiers, qtKey(shortcut.key)));
}

} // namespace garagon
