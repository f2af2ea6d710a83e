#include "file_test.hpp"

#include <sys/stat.h>

namespace garagon {

bool dateiExistiert(const std::string& pfad) {
    struct stat info {};
    return ::stat(pfad.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace garagon
