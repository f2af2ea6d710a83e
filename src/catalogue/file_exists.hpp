#pragma once

#include <optional>
#include <string>
#include <sys/stat.h>

namespace garagon {

// A path counts as an existing file when a regular file is there (hidden and read-only
// ones included). Directories, FIFOs, sockets and devices do not count. The catalogue,
// loading and saving all decide by this one rule.
bool isExistingFile(const struct stat& info);

// The file's status when an existing file is at the path; only looks at the name, so it
// never blocks.
std::optional<struct stat> existingFile(const std::string& path);

} // namespace garagon
