#pragma once

#include <array>
#include <windows.h>

namespace garagon::win32 {

// The controls' ids; none is IDOK or IDCANCEL, which the dialog keys would send.
enum ControlId : int {
    cmdOpen = 100,
    lvCars,
    cmbCars,
    cmdReplace,
    cmdSave,
    cmdExit,
    Frame1,
    Frame2,
    Label1,
    optBuyed,
    optMY,
    optShop,
};

// One control of the window: where it stands in twips, from the top-left corner of its
// container, and how it looks.
struct ControlLayout {
    ControlId id;
    const wchar_t* name;
    const wchar_t* windowClass;
    const wchar_t* caption;
    DWORD style;
    ControlId container; // Frame1 or Frame2 when inside one, else the control itself
    int left, top, width, height;
    bool bold;
};

// Every control in tab order, which is the order they are made in.
extern const std::array<ControlLayout, 12> controls;

// The client area, in twips.
inline constexpr int clientWidth = 9705;
inline constexpr int clientHeight = 6390;

// The list's columns: header, width in twips, alignment.
struct ColumnLayout {
    const wchar_t* header;
    int width;
    int format;
};
extern const std::array<ColumnLayout, 4> columns;

// Twips at a DPI: 1,440 to the inch.
inline int pixels(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), 1440);
}

// Arial 9.75 pt at a DPI, the font of every control; the caller deletes it.
inline HFONT arialFont(UINT dpi, bool bold) {
    return CreateFontW(-MulDiv(975, static_cast<int>(dpi), 7200), 0, 0, 0,
                       bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, L"Arial");
}

} // namespace garagon::win32
