#pragma once

#include <filesystem>
#include <string>

namespace garagon {

// A path as UTF-8 text, for the user to read: the bytes themselves on Linux, converted
// from UTF-16 on Windows, where what is no UTF-16 (a lone surrogate, which NTFS allows)
// becomes U+FFFD. Never throws.
std::string pathText(const std::filesystem::path& path);

} // namespace garagon
