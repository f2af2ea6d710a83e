#pragma once

#include <string>

namespace garagon {

// A short German reason for a system error number.
std::string fehlergrund(int errorNumber);

} // namespace garagon
