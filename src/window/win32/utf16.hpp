#pragma once

#include "path_text.hpp"

#include <filesystem>
#include <string>
#include <string_view>
#include <windows.h>

namespace garagon::win32 {

// The rules' UTF-8 text as Windows' UTF-16: a UTF-16 text is never longer than its UTF-8
// bytes.
inline std::wstring utf16(std::string_view text) {
    std::wstring wide(text.size(), L'\0');
    const int size =
        text.empty() ? 0
                     : MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(size));
    return wide;
}

// What the player typed, as the rules' UTF-8, converted as the names of files are.
inline std::string utf8(std::wstring_view text) {
    return pathText(std::filesystem::path(text));
}

} // namespace garagon::win32
