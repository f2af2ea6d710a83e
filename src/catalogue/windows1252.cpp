#include "windows1252.hpp"

namespace garagon {
namespace {

// 0x80 to 0x9F; every other byte is the Latin-1 code point of the same value.
constexpr char16_t upperControlRange[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t codePoint(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F ? upperControlRange[byte - 0x80] : byte;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

void appendAsUtf8(std::string_view windows1252, std::string& out) {
    for (const char byte : windows1252) {
        appendUtf8(out, codePoint(static_cast<unsigned char>(byte)));
    }
}

std::string windows1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    appendAsUtf8(text, out);
    return out;
}

} // namespace garagon
