#include "hex.hpp"

#include <algorithm>

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

// Plain ASCII, whatever locale the program runs in.
bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
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
    if (!std::all_of(text.begin(), text.end(), isHexDigit)) {
        return std::nullopt;
    }
    Bytes result;
    result.reserve(text.size() / 2);
    for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
        std::string pair = text.substr(i, 2);
        result.push_back(static_cast<std::uint8_t>(HexZuByte(pair)));
    }
    return result;
}

} // namespace garagon::modVelox
