#pragma once

#include "path_text.hpp"

#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>
#include <windows.h>

namespace garagon::win32 {

// The rules' UTF-8 text as Windows' UTF-16, into a string that may be reused: a UTF-16 text
// is never longer than its UTF-8 bytes, and plain ASCII, as most names are, is widened as
// it is.
inline void utf16(std::string_view text, std::wstring& wide) {
    wide.resize(text.size());
    if (std::ranges::all_of(text, [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        std::ranges::copy(text, wide.begin());
        return;
    }
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(size));
}

inline std::wstring utf16(std::string_view text) {
    std::wstring wide;
    utf16(text, wide);
    return wide;
}

// What the player typed, as the rules' UTF-8, converted as the names of files are.
inline std::string utf8(std::wstring_view text) {
    return pathText(std::filesystem::path(text));
}

} // namespace garagon::win32
