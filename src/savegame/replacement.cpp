#include "replacement.hpp"

#include <algorithm>

namespace garagon {

ReplaceStatus replaceCode(Bytes& data, std::size_t position, const Bytes& code) {
    if (code.size() != CodeLength) {
        return ReplaceStatus::WrongLength;
    }
    if (position < 1 || position - 1 > data.size() || data.size() - (position - 1) < CodeLength) {
        return ReplaceStatus::InvalidPosition;
    }
    std::copy(code.begin(), code.end(), data.begin() + static_cast<std::ptrdiff_t>(position - 1));
    return ReplaceStatus::Replaced;
}

} // namespace garagon
