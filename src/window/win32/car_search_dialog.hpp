#pragma once

#include <cstddef>
#include <optional>
#include <windows.h>

namespace garagon {
class CarFinder;
}

namespace garagon::win32 {

// The modal dialog "Wagen suchen" of common controls: a text field, the catalogue's cars
// that hold its words in a virtual list below, the first one marked, a line with their
// number, "Auswählen" as the default button beside "Abbrechen". The arrows and the page
// keys move the mark from the text field. The marked row once a car was chosen; nothing
// when it was cancelled.
std::optional<std::size_t> showCarSearchDialog(HWND owner, CarFinder& finder);

} // namespace garagon::win32
