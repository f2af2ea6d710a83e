#pragma once

class QWidget;

namespace garagon {

// The window takes the keyboard, at the control that had it: a program just started, or
// a window whose dialog has gone, has no window manager to give it back on a bare X
// server. On Wayland only the compositor hands out the keyboard, as it does by itself.
void takeKeyboard(QWidget* window);

} // namespace garagon
