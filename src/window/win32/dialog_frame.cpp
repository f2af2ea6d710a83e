#include "dialog_frame.hpp"

#include <algorithm>
#include <utility>

namespace garagon::win32 {
namespace {

struct alignas(DWORD) EmptyTemplate {
    DLGTEMPLATE dialog{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 0, 0, 0, 0};
    WORD menu = 0;
    WORD windowClass = 0;
    WORD title = 0;
};

} // namespace

void deleteFonts(Fonts& fonts) {
    DeleteObject(std::exchange(fonts.regular, nullptr));
    DeleteObject(std::exchange(fonts.bold, nullptr));
}

void centreOnOwner(HWND dialog) {
    RECT owner{};
    RECT own{};
    GetWindowRect(GetWindow(dialog, GW_OWNER), &owner);
    GetWindowRect(dialog, &own);
    MONITORINFO screen{};
    screen.cbSize = sizeof screen;
    GetMonitorInfoW(MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &screen);
    const RECT& area = screen.rcWork;
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    const int left = std::clamp((owner.left + owner.right - width) / 2, area.left,
                                std::max(area.left, area.right - width));
    const int top = std::clamp((owner.top + owner.bottom - height) / 2, area.top,
                               std::max(area.top, area.bottom - height));
    SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void moveToSuggested(HWND window, LPARAM suggestedRectangle) {
    const auto* suggested = reinterpret_cast<const RECT*>(suggestedRectangle);
    SetWindowPos(window, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void runDialog(HWND owner, DLGPROC procedure, LPARAM state) {
    static const EmptyTemplate emptyTemplate;
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &emptyTemplate.dialog, owner, procedure,
                            state);
}

} // namespace garagon::win32
