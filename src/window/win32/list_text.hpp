#pragma once

#include "utf16.hpp"

#include <commctrl.h>
#include <cstddef>

namespace garagon::win32 {

// Answers a virtual list's request for the text of a cell, where it asks for text:
// cellText(row, column) gives the cell's UTF-8 text.
template <class CellText> void giveText(NMLVDISPINFOW& request, const CellText& cellText) {
    if ((request.item.mask & LVIF_TEXT) == 0 || request.item.cchTextMax <= 0) {
        return;
    }
    const std::wstring text =
        utf16(cellText(static_cast<std::size_t>(request.item.iItem), request.item.iSubItem));
    lstrcpynW(request.item.pszText, text.c_str(), request.item.cchTextMax);
}

} // namespace garagon::win32
