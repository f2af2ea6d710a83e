#include "car_finder.hpp"

#include "hex.hpp"
#include "text_fields.hpp"
#include "texts.hpp"
#include "windows1252.hpp"

#include <algorithm>

namespace garagon {
namespace {

// The base letters of Latin-1's letters from U+00C0 on, lower case; "" where none.
constexpr const char* latin1Letters[64] = {
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "ss",
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "y"};

// The folded form of a letter, or nothing where the character stays as it is.
const char* foldedLetter(char32_t c) {
    if (c >= 0xC0 && c <= 0xFF && *latin1Letters[c - 0xC0] != '\0') {
        return latin1Letters[c - 0xC0];
    }
    switch (c) { // the letters that Windows-1252 adds to Latin-1
    case 0x0160:
    case 0x0161:
        return "s";
    case 0x017D:
    case 0x017E:
        return "z";
    case 0x0152:
    case 0x0153:
        return "oe";
    case 0x0178:
        return "y";
    case 0x0192:
        return "f";
    default:
        return nullptr;
    }
}

// The length of the UTF-8 sequence that starts with this byte, and its code point; a
// byte that starts none stands for itself.
std::size_t decode(std::string_view text, std::size_t at, char32_t& c) {
    const auto byte = static_cast<unsigned char>(text[at]);
    const std::size_t length = byte < 0xC0 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
    if (length == 1 || at + length > text.size()) {
        c = byte;
        return 1;
    }
    c = byte & (0x3F >> (length - 1));
    for (std::size_t i = 1; i < length; ++i) {
        c = (c << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3F);
    }
    return length;
}

std::vector<std::string_view> words(std::string_view text) {
    constexpr std::string_view spaces = " \t\r\n";
    std::vector<std::string_view> found;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t start = text.find_first_not_of(spaces, at);
        if (start == std::string_view::npos) {
            break;
        }
        const std::size_t end = std::min(text.find_first_of(spaces, start), text.size());
        found.push_back(text.substr(start, end - start));
        at = end;
    }
    return found;
}

} // namespace

std::string foldForSearch(std::string_view utf8) {
    std::string folded;
    folded.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        char32_t c = 0;
        const std::size_t length = decode(utf8, at, c);
        if (const char* letter = foldedLetter(c)) {
            folded += letter;
        } else if (c >= 'A' && c <= 'Z') {
            folded += static_cast<char>(c - 'A' + 'a');
        } else {
            folded += utf8.substr(at, length);
        }
        at += length;
    }
    return folded;
}

CarFinder::CarFinder(std::span<const WagenEintrag> cars) : cars_(cars) {}

void CarFinder::foldNames() {
    ends_.reserve(cars_.size());
    for (const WagenEintrag& car : cars_) {
        folded_ += foldForSearch(windows1252ToUtf8(car.Name));
        ends_.push_back(static_cast<std::uint32_t>(folded_.size()));
    }
}

void CarFinder::search(std::string_view query) {
    if (ends_.size() != cars_.size()) {
        foldNames();
    }
    const std::string foldedQuery = foldForSearch(query);
    const auto wanted = words(foldedQuery);
    rows_.clear();
    std::uint32_t start = 0;
    for (std::uint32_t car = 0; car < ends_.size(); start = ends_[car++]) {
        const std::string_view name(folded_.data() + start, ends_[car] - start);
        if (std::all_of(wanted.begin(), wanted.end(), [&](std::string_view word) {
                return name.find(word) != std::string_view::npos;
            })) {
            rows_.push_back(car);
        }
    }
}

std::string CarFinder::cellText(std::size_t row, int column) const {
    const std::size_t car = rows_[row];
    if (column == 0) {
        return windows1252ToUtf8(cars_[car].Name);
    }
    std::string code;
    modVelox::appendHex(code, cars_[car].Kennung);
    return code;
}

std::string CarFinder::countText() const {
    const std::string total = grouped(cars_.size());
    if (rows_.empty()) {
        return replaced(texts::NoCarFound, "{total}", total);
    }
    return replaced(replaced(texts::CarsFound, "{count}", grouped(rows_.size())), "{total}", total);
}

} // namespace garagon
