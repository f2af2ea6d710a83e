#include "save_folder.hpp"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <thread>

namespace garagon {
namespace {

constexpr std::string_view temporaryPrefix = ".~garagon-";
constexpr std::string_view temporaryAlphabet = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t temporarySuffixLength = 6;
// Where the folder cannot be read, this file in it carries the lock; it stays.
constexpr const char* lockFileName = ".~garagon-lock";
constexpr auto lockPollInterval = std::chrono::milliseconds(10);

std::string randomTemporaryName() {
    static std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, temporaryAlphabet.size() - 1);
    std::string name(temporaryPrefix);
    for (std::size_t i = 0; i < temporarySuffixLength; ++i) {
        name += temporaryAlphabet[pick(random)];
    }
    return name;
}

int lockWithin(int fd, std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            return errno;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return EWOULDBLOCK;
        }
        std::this_thread::sleep_for(lockPollInterval);
    }
    return 0;
}

} // namespace

bool isTemporaryName(std::string_view name) {
    return name.size() == temporaryPrefix.size() + temporarySuffixLength &&
           name.starts_with(temporaryPrefix) &&
           name.find_first_not_of(temporaryAlphabet, temporaryPrefix.size()) ==
               std::string_view::npos;
}

bool SaveFolder::isGone() const {
    std::error_code error;
    return !std::filesystem::is_directory(path_, error);
}

int SaveFolder::lock(std::chrono::milliseconds wait) {
    folder_ = FileDescriptor(::open(path_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder_.valid()) {
        return lockWithin(folder_.get(), wait);
    }
    if (errno != EACCES) {
        return errno;
    }
    lockFile_ = FileDescriptor(
        ::open((path_ / lockFileName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666));
    return lockFile_.valid() ? lockWithin(lockFile_.get(), wait) : errno;
}

void SaveFolder::removeStaleTemporaries() const {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(path_, error)) {
        const auto status = entry.symlink_status(error);
        if (isTemporaryName(entry.path().filename().string()) &&
            (std::filesystem::is_regular_file(status) || std::filesystem::is_symlink(status))) {
            std::filesystem::remove(entry.path(), error);
        }
    }
}

FileDescriptor SaveFolder::createTemporary(std::string& name) const {
    while (true) {
        name = (path_ / randomTemporaryName()).string();
        FileDescriptor fd(
            ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666));
        if (fd.valid() || errno != EEXIST) {
            return fd;
        }
    }
}

int SaveFolder::flush(int (*fsync)(int)) const {
    if (!folder_.valid()) {
        return 0;
    }
    // EINVAL: the file system has nothing to flush for folders.
    return fsync(folder_.get()) == 0 || errno == EINVAL ? 0 : errno;
}

} // namespace garagon
