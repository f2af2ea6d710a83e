#pragma once

#include <string>
#include <string_view>
#include <windows.h>

namespace garagon::win32 {

// The rules' UTF-8 texts as Windows' UTF-16.
inline std::wstring utf16(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    std::wstring wide(
        static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0)),
        L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

} // namespace garagon::win32
