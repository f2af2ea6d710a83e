#pragma once

#include "utf16.hpp"
#include "window_layout.hpp"

#include <windows.h>

namespace garagon::win32 {

// A control's id follows from its place in the declaration; the accepting and the
// rejecting button have the ids that the dialog keys send, and no other has.
inline constexpr int firstControlId = 100;
inline int controlId(const WindowLayout& layout, int control) {
    switch (layout[control].role) {
    case Role::Accept:
        return IDOK;
    case Role::Reject:
        return IDCANCEL;
    default:
        return firstControlId + control;
    }
}

// Twips at a DPI: 1,440 to the inch.
inline int pixels(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), 1440);
}

// The controls' font at a DPI; the caller deletes it.
inline HFONT controlFont(UINT dpi, bool bold) {
    return CreateFontW(-MulDiv(fontHundredthsOfPoint, static_cast<int>(dpi), 7200), 0, 0, 0,
                       bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, utf16(fontFamily).c_str());
}

} // namespace garagon::win32
