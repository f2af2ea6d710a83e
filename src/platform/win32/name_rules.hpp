#pragma once

#include "file_system.hpp"

#include <string>
#include <windows.h>

namespace garagon::platform {

// What a failed look at a name tells of it. A file being deleted, or one that another
// program holds, denies the look but has the name; only "not found" means that nothing
// has it. Any other answer, as a name longer than the volume takes or a share that went
// away, tells nothing either way.
inline NameState nameStateAfter(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return NameState::Free;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_DELETE_PENDING:
        return NameState::Taken;
    default:
        return NameState::Unknown;
    }
}

// The path as the user would write it: without the prefix that lifts the length limit. A
// volume's GUID path, for a volume without a drive letter, keeps it: it has no other form.
inline std::wstring plainPath(const std::wstring& path) {
    if (path.starts_with(L"\\\\?\\UNC\\")) {
        return L"\\" + path.substr(7);
    }
    if (path.starts_with(L"\\\\?\\Volume{")) {
        return path;
    }
    return path.starts_with(L"\\\\?\\") ? path.substr(4) : path;
}

} // namespace garagon::platform
