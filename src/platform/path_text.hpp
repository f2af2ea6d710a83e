#pragma once

#include <filesystem>
#include <string>

namespace garagon {

// A path as UTF-8 text, for the user to read: the bytes themselves on Linux, converted
// from UTF-16 on Windows.
inline std::string pathText(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

} // namespace garagon
