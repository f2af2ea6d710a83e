#include "loading.hpp"

#include "file_descriptor.hpp"
#include "file_exists.hpp"
#include "file_io.hpp"
#include "savegame.hpp"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace garagon {
namespace {

LoadStatus classify(const struct stat& info) {
    if (!isExistingFile(info)) {
        return LoadStatus::NotFound;
    }
    if (info.st_size != static_cast<off_t>(SavegameSize)) {
        return LoadStatus::NotASavegame;
    }
    return LoadStatus::Loaded;
}

// The file was checked by name; it may have changed before it was opened or while it
// was read, so everything is checked again on the open descriptor.
LoadResult readOpened(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        return {LoadStatus::ReadError, {}};
    }
    if (const auto status = classify(info); status != LoadStatus::Loaded) {
        return {status, {}};
    }
    Bytes data(SavegameSize + 1);
    const ssize_t n = readFully(fd, data.data(), data.size());
    if (n < 0) {
        return {LoadStatus::ReadError, {}};
    }
    if (static_cast<std::size_t>(n) != SavegameSize) {
        return {LoadStatus::NotASavegame, {}};
    }
    data.pop_back();
    return {LoadStatus::Loaded, std::move(data)};
}

} // namespace

LoadResult loadSavegame(const std::string& path) {
    const auto info = existingFile(path);
    if (!info) {
        return {LoadStatus::NotFound, {}};
    }
    if (const auto status = classify(*info); status != LoadStatus::Loaded) {
        return {status, {}};
    }
    // Non-blocking, so that a FIFO swapped in after the check cannot hang the program.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.valid()) {
        return {errno == ENOENT ? LoadStatus::NotFound : LoadStatus::ReadError, {}};
    }
    return readOpened(fd.get());
}

} // namespace garagon
