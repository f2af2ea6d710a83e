#pragma once

#include <windows.h>

namespace garagon::win32 {

// What the window and its dialogs share: fonts at their DPI, and a dialog over its owner.

// The regular and the bold font at the window's DPI.
struct Fonts {
    HFONT regular = nullptr;
    HFONT bold = nullptr;
};

void deleteFonts(Fonts& fonts);

// Over the middle of the window it belongs to, but whole on its screen.
void centreOnOwner(HWND dialog);

// The standard handling of WM_DPICHANGED, before the controls are placed anew: the window
// takes the rectangle suggested.
void moveToSuggested(HWND window, LPARAM suggestedRectangle);

// Runs a modal dialog without controls of its own: the procedure makes them on
// WM_INITDIALOG, with state as its lParam.
void runDialog(HWND owner, DLGPROC procedure, LPARAM state);

} // namespace garagon::win32
