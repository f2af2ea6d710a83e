#pragma once

#include "texts.hpp"

// The window's commands beyond its buttons and the keys that reach them, declared once for
// both views, which bind them to their own key codes and menus.
namespace garagon {

enum class Command { Backups, CarSearch, ContextMenu, Undo, Redo, Save };

// Each view names them in a table of its own key codes, in this order.
enum class Key { Up, Down, PageUp, PageDown, F, F10, Menu, S, Y, Z, Count };

struct Shortcut {
    Key key;
    bool control;
    bool shift;
    Command command;
};

// Wherever the focus is in the window, with exactly these modifiers: Ctrl+F searches;
// Shift+F10 and the menu key open the context menu below the control with the focus;
// Ctrl+Z takes a replacement back, Ctrl+Y and Ctrl+Shift+Z make it again; Ctrl+S saves.
// The menu shows the first key of its command.
inline constexpr Shortcut shortcuts[] = {
    {Key::F, true, false, Command::CarSearch},
    {Key::F10, false, true, Command::ContextMenu},
    {Key::Menu, false, false, Command::ContextMenu},
    {Key::Z, true, false, Command::Undo},
    {Key::Y, true, false, Command::Redo},
    {Key::Z, true, true, Command::Redo},
    {Key::S, true, false, Command::Save},
};

// The context menu, and on Windows the system menu too; each access key is one that no other
// entry there has, the German system menu's included.
struct MenuEntry {
    Command command;
    const char* caption;
};
inline constexpr MenuEntry menuEntries[] = {
    {Command::Undo, texts::UndoCommand},
    {Command::Redo, texts::RedoCommand},
    {Command::Backups, texts::BackupsCommand},
    {Command::CarSearch, texts::CarSearchCommand},
};

// The keys that a list dialog's text field passes on to its list, which moves its mark.
inline constexpr Key listKeys[] = {Key::Up, Key::Down, Key::PageUp, Key::PageDown};

} // namespace garagon
