#pragma once

#include <string>
#include <string_view>

namespace garagon {

// Decodes Windows-1252 text, as the catalogue's names are stored, to UTF-8. The five
// bytes the code page leaves unassigned become the control characters of the same value.
std::string windows1252ToUtf8(std::string_view text);

// The same, appended to out: many names in one buffer.
void appendAsUtf8(std::string_view windows1252, std::string& out);

} // namespace garagon
