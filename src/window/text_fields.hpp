#pragma once

#include <cstdint>
#include <string>

namespace garagon {

// The text with its field "{name}" filled in.
inline std::string replaced(std::string text, const std::string& field, const std::string& value) {
    return text.replace(text.find(field), field.size(), value);
}

// 1234567 as "1.234.567", as a German reader writes large numbers.
inline std::string grouped(std::uint64_t number) {
    const std::string digits = std::to_string(number);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            text += '.';
        }
        text += digits[i];
    }
    return text;
}

} // namespace garagon
