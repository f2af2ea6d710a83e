#pragma once

#include "dialog_frame.hpp"
#include "window_layout.hpp"

#include <windows.h>

namespace garagon::win32 {

// A window's or a dialog's controls as declared, children of the window in their order:
// each with its id, caption and the style of its kind. The first control, the first
// option, a control named by a label and the accepting button each begin a group of the
// arrow keys; a label shows an ampersand as itself unless it marks an access key.
void makeControls(HWND window, const WindowLayout& layout);

// Every control at its place and in its font at the DPI, its frame's corner added; a
// selector's height takes in its dropped list.
void layOutControls(HWND window, const WindowLayout& layout, UINT dpi, Fonts& fonts);

} // namespace garagon::win32
