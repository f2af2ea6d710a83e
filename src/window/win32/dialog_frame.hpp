#pragma once

#include "window_layout.hpp"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <windows.h>

namespace garagon::win32 {

// What the window and its dialogs share: controls made when they open, placed in twips at
// their DPI with the declared font, and a dialog over its owner.

// Where a control stands, in twips from the top-left corner of the client area.
struct Placed {
    int id;
    int left, top, width, height;
    bool bold;
};

// The regular and the bold font at the window's DPI.
struct Fonts {
    HFONT regular = nullptr;
    HFONT bold = nullptr;
};

HWND makeControl(HWND dialog, const wchar_t* windowClass, const std::wstring& text, DWORD style,
                 int id, DWORD extendedStyle = 0);

// A virtual report list of one mark at a time, whole rows marked, with its columns.
HWND makeList(HWND dialog, int id, std::span<const ColumnLayout> columns, DWORD style);
// The visible columns' widths at a DPI; a hidden one keeps the width 0 it was given.
void setColumnWidths(HWND list, std::span<const ColumnLayout> columns, UINT dpi);
// A new list of this many rows, the given one marked.
void showRows(HWND list, std::size_t count, std::optional<std::size_t> marked);
// Marks the row, or nothing; the row marked, if any.
void markRow(HWND list, std::optional<std::size_t> row);
std::optional<std::size_t> markedRow(HWND list);

// Sizes the window's client area and places every control at the DPI, with new fonts that
// replace fonts; the old ones go once no control uses them any more.
void placeControls(HWND window, std::span<const Placed> controls, SIZE client, UINT dpi,
                   Fonts& fonts);
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
