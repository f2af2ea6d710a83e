#pragma once

#include <string>

namespace garagon {

// A path counts as an existing file when a regular file is there (hidden and read-only
// ones included). Directories, FIFOs, sockets and devices do not count; the test only
// looks at the name, so it never blocks.
bool dateiExistiert(const std::string& pfad);

} // namespace garagon
