#pragma once

#include <cstddef>
#include <optional>
#include <windows.h>

namespace garagon {
class BackupChoice;
}

namespace garagon::win32 {

// The modal dialog "Sicherungen von <name>" of common controls: the backups in a list,
// the newest marked, "Wiederherstellen" as the default button beside "Schließen". The
// marked row once "Wiederherstellen" was chosen; nothing when it was closed.
std::optional<std::size_t> showBackupsDialog(HWND owner, const BackupChoice& choice);

} // namespace garagon::win32
