#include "hex.hpp"

#include <algorithm>
#include <array>

namespace garagon::modVelox {
namespace {

std::int32_t digitValue(unsigned char c) {
    if (c >= '0' && c <= '9') {
        return c - 48;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 55;
    }
    return c;
}

// The value of each ASCII hexadecimal digit, -1 for every other byte: plain ASCII,
// whatever locale the program runs in.
constexpr auto hexDigitValues = [] {
    std::array<std::int8_t, 256> values{};
    values.fill(-1);
    for (int c = 0; c < 10; ++c) {
        values[static_cast<std::size_t>('0' + c)] = static_cast<std::int8_t>(c);
    }
    for (int c = 0; c < 6; ++c) {
        values[static_cast<std::size_t>('A' + c)] = static_cast<std::int8_t>(10 + c);
        values[static_cast<std::size_t>('a' + c)] = static_cast<std::int8_t>(10 + c);
    }
    return values;
}();

std::size_t char8(char c) {
    return static_cast<unsigned char>(c);
}

char asciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

std::int32_t HexZuByte(std::string& pair) {
    std::transform(pair.begin(), pair.end(), pair.begin(), asciiUpper);
    if (pair.empty()) {
        return 0;
    }
    return digitValue(static_cast<unsigned char>(pair.front())) * 16 +
           digitValue(static_cast<unsigned char>(pair.back()));
}

std::optional<Bytes> HexZuText(std::string& text) {
    if (text.size() % 2 != 0) {
        text.insert(text.begin(), '0');
    }
    return decodeHex(text);
}

std::optional<Bytes> decodeHex(std::string_view text) {
    // An odd-length text reads as if a "0" stood before it.
    const std::size_t odd = text.size() % 2;
    Bytes result((text.size() + 1) / 2);
    for (std::size_t i = 0; i < result.size(); ++i) {
        const int high = i == 0 && odd != 0 ? 0 : hexDigitValues[char8(text[2 * i - odd])];
        const int low = hexDigitValues[char8(text[2 * i + 1 - odd])];
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        result[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return result;
}

void appendHex(std::string& text, std::span<const std::uint8_t> bytes) {
    static constexpr char digits[] = "0123456789ABCDEF";
    for (const std::uint8_t byte : bytes) {
        text += digits[byte >> 4];
        text += digits[byte & 0x0F];
    }
}

} // namespace garagon::modVelox
