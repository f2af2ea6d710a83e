#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <sys/types.h>

namespace garagon {

// Reads until size bytes are there or the file ends; returns how many, or -1 on an error.
ssize_t readFully(int fd, std::uint8_t* target, std::size_t size);

// Writes all bytes; returns 0 or the error number.
int writeAll(int fd, std::span<const std::uint8_t> bytes);

} // namespace garagon
