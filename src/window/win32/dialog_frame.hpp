#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <windows.h>

namespace garagon::win32 {

// What the window's own dialogs share: controls made when the dialog opens, placed in
// twips at its DPI with the layout's font, and the dialog over its owner.

// Where a control of a dialog stands, in twips.
struct Placed {
    int id;
    int left, top, width, height;
};

HWND makeControl(HWND dialog, const wchar_t* windowClass, const std::wstring& text, DWORD style,
                 int id, DWORD extendedStyle = 0);

// A virtual report list of one mark at a time, whole rows marked.
HWND makeList(HWND dialog, int id);
// Its columns: UTF-8 headers, widths in twips.
void addColumns(HWND list, std::span<const char* const> headers, std::span<const int> widths);
void setColumnWidths(HWND list, std::span<const int> widths, UINT dpi);
// Marks the row, or nothing; the row marked, if any.
void markRow(HWND list, std::optional<std::size_t> row);
std::optional<std::size_t> markedRow(HWND list);

// Sizes the dialog's client area and places every control at the DPI, with a new regular
// Arial that replaces font; the old one goes once no control uses it any more.
void placeControls(HWND dialog, std::span<const Placed> controls, SIZE client, UINT dpi,
                   HFONT& font);

// Over the middle of the window it belongs to, but whole on its screen.
void centreOnOwner(HWND dialog);

// The standard handling of WM_DPICHANGED, before the controls are placed anew: the window
// takes the rectangle suggested.
void moveToSuggested(HWND window, LPARAM suggestedRectangle);

// Runs a modal dialog without controls of its own: the procedure makes them on
// WM_INITDIALOG, with state as its lParam.
void runDialog(HWND owner, DLGPROC procedure, LPARAM state);

} // namespace garagon::win32
