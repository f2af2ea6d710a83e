#pragma once

#include "bytes.hpp"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace garagon::modVelox {

// Upper-cases the pair in place and returns first digit * 16 + second digit.
// A character that is no hexadecimal digit counts with its own character code.
std::int32_t HexZuByte(std::string& pair);

// Decodes hexadecimal digits; an odd-length text gets a leading "0" (in the caller's
// variable too). Returns nothing when a character is no hexadecimal digit, because
// such a pair can yield a value that is no byte.
std::optional<Bytes> HexZuText(std::string& text);

// The same without changing the text and without a copy, for reading the catalogue.
std::optional<Bytes> decodeHex(std::string_view text);

// Appends two upper-case hexadecimal digits for each byte.
void appendHex(std::string& text, std::span<const std::uint8_t> bytes);

} // namespace garagon::modVelox
