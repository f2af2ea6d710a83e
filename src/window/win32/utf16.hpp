#pragma once

#include <string>
#include <string_view>
#include <windows.h>

namespace garagon::win32 {

// The rules' UTF-8 text as Windows' UTF-16, into a buffer that can serve again: a
// UTF-16 text is never longer than its UTF-8 bytes.
inline void utf16(std::string_view text, std::wstring& wide) {
    wide.resize(text.size());
    const int size =
        text.empty() ? 0
                     : MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(size));
}

inline std::wstring utf16(std::string_view text) {
    std::wstring wide;
    utf16(text, wide);
    return wide;
}

// What the player typed, as the rules' UTF-8.
inline std::string utf8(std::wstring_view text) {
    std::string bytes(text.size() * 3, '\0');
    const int size =
        text.empty()
            ? 0
            : WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                  bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
    bytes.resize(static_cast<std::size_t>(size));
    return bytes;
}

} // namespace garagon::win32
