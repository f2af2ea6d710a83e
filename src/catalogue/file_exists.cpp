#include "file_exists.hpp"

namespace garagon {

bool isExistingFile(const struct stat& info) {
    return S_ISREG(info.st_mode);
}

std::optional<struct stat> existingFile(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !isExistingFile(info)) {
        return std::nullopt;
    }
    return info;
}

} // namespace garagon
