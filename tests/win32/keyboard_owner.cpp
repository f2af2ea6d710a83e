// Prints the title of the window that has the keyboard as Windows sees it. Under Wine
// without a window manager, the X server may leave its focus on the owner of a new dialog
// when it refuses Wine's request as out of date; the keys still reach the dialog, since Wine
// hands them to the window that Windows made active.
#include "utf16.hpp"
#include "window_text.hpp"

#include <cstdio>

int main() {
    const std::string title = garagon::win32::utf8(garagon::test::textOf(GetForegroundWindow()));
    std::fwrite(title.data(), 1, title.size(), stdout);
}
