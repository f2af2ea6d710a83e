#pragma once

#include <cstddef>
#include <optional>
#include <windows.h>

namespace garagon {
class ListDialog;
}

namespace garagon::win32 {

// Any list dialog of common controls as its declaration has it: its controls at their
// places, the list virtual, the first row marked. The keys that move the mark go from the
// text field to the list; Return, a double click or the accepting button choose the marked
// row where the dialog allows it, Escape closes. The row chosen; nothing when it was
// closed.
std::optional<std::size_t> chooseFromList(HWND owner, ListDialog& dialog);

} // namespace garagon::win32
