#pragma once

#include <string>
#include <string_view>

namespace garagon {

// Decodes Windows-1252 text, as the catalogue's names are stored, to UTF-8. The five
// bytes the code page leaves unassigned become the control characters of the same value.
std::string windows1252ToUtf8(std::string_view text);

// The same to UTF-16, as Windows' and Qt's strings hold it, into a buffer that can serve
// again: one code unit per byte.
void windows1252ToUtf16(std::string_view text, std::u16string& out);

} // namespace garagon
