// The file-system operations on Linux and other POSIX systems.
#include "file_system.hpp"

#include "file_descriptor.hpp"
#include "local_time.hpp"
#include "path_text.hpp"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace garagon::platform {
namespace {

constexpr auto lockPollInterval = std::chrono::milliseconds(10);
// Where the folder cannot be read, this file in it carries the lock; it stays.
constexpr const char* lockFileName = ".~garagon-lock";

SystemError lastError() {
    return fromNative(errno);
}

FileStatus statusOf(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_size),
            static_cast<std::uint32_t>(info.st_mode & 07777),
            info.st_atim.tv_sec * 1'000'000'000LL + info.st_atim.tv_nsec,
            info.st_mtim.tv_sec * 1'000'000'000LL + info.st_mtim.tv_nsec};
}

timespec timeOf(std::int64_t nanoseconds) {
    return {static_cast<time_t>(nanoseconds / 1'000'000'000),
            static_cast<long>(nanoseconds % 1'000'000'000)};
}

// Appends up to limit bytes; false on an error.
bool readUpTo(int fd, Bytes& bytes, std::size_t limit) {
    std::uint8_t chunk[65536];
    while (bytes.size() < limit) {
        const ssize_t n = ::read(fd, chunk, std::min(sizeof chunk, limit - bytes.size()));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return n == 0;
        }
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    return true;
}

SystemError writeAll(int fd, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return n < 0 ? lastError() : fromNative(EIO);
        }
        done += static_cast<std::size_t>(n);
    }
    return {};
}

SystemError fill(int fd, std::span<const std::uint8_t> bytes, Likeness likeness,
                 SystemError (*flush)(FileHandle)) {
    if (likeness.like != nullptr) {
        // Best effort: some file systems keep no permission bits or times.
        ::fchmod(fd, likeness.like->permissions);
    }
    if (const auto error = writeAll(fd, bytes)) {
        return error;
    }
    if (likeness.like != nullptr && likeness.times) {
        const timespec times[] = {timeOf(likeness.like->accessed), timeOf(likeness.like->modified)};
        ::futimens(fd, times);
    }
    return flush(fd);
}

SystemError lockWithin(int fd, std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            return lastError();
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return {Failure::Busy, EWOULDBLOCK};
        }
        std::this_thread::sleep_for(lockPollInterval);
    }
    return {};
}

// A line of /proc/self/mountinfo, as far as a save needs it.
struct MountEntry {
    std::string device; // major:minor
    std::filesystem::path point;
    std::string type;
    std::string source;
};

// Spaces, tabs, newlines and backslashes in mountinfo's fields are written as \\ooo.
std::string unescaped(const std::string& field) {
    std::string text;
    const auto digit = [&](std::size_t at) { return field[at] - '0'; };
    const auto octal = [&](std::size_t at) { return digit(at) >= 0 && digit(at) <= 7; };
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && octal(i + 1) && octal(i + 2) &&
            octal(i + 3)) {
            text += static_cast<char>(digit(i + 1) * 64 + digit(i + 2) * 8 + digit(i + 3));
            i += 3;
        } else {
            text += field[i];
        }
    }
    return text;
}

std::optional<MountEntry> mountEntry(const std::string& line) {
    std::istringstream fields(line);
    std::vector<std::string> before;
    for (std::string field; fields >> field && field != "-";) {
        before.push_back(field);
    }
    MountEntry entry;
    if (before.size() < 5 || !(fields >> entry.type >> entry.source)) {
        return std::nullopt;
    }
    entry.device = before[2];
    entry.point = unescaped(before[4]);
    entry.source = unescaped(entry.source);
    return entry;
}

// The path is the mount point or lies below it, part by part.
bool liesBelow(const std::filesystem::path& point, const std::filesystem::path& path) {
    return std::mismatch(point.begin(), point.end(), path.begin(), path.end()).first == point.end();
}

// The mount that holds the path: the one with the deepest mount point above it, the last
// of those where one was mounted over another.
std::optional<MountEntry> mountOf(const std::filesystem::path& path) {
    std::ifstream table("/proc/self/mountinfo");
    std::optional<MountEntry> found;
    std::ptrdiff_t foundDepth = 0;
    for (std::string line; std::getline(table, line);) {
        const auto entry = mountEntry(line);
        if (!entry || !liesBelow(entry->point, path)) {
            continue;
        }
        const auto depth = std::distance(entry->point.begin(), entry->point.end());
        if (!found || depth >= foundDepth) {
            found = entry;
            foundDepth = depth;
        }
    }
    return found;
}

// The mount that holds the folder, its links followed; none where its path cannot be told.
std::optional<MountEntry> mountOfFolder(const std::filesystem::path& folder) {
    std::error_code error;
    const auto real = std::filesystem::weakly_canonical(folder, error);
    return error ? std::nullopt : mountOf(real);
}

// An NTFS boot sector names its file system at byte 3, where the volume can be read.
bool ntfsBootSector(const std::string& source) {
    std::ifstream volume(source, std::ios::binary);
    char start[11] = {};
    return volume.read(start, sizeof start) && std::string_view(start + 3, 8) == "NTFS    ";
}

// What the system's device manager found on the block device, readable by anyone.
bool udevSaysNtfs(const std::string& device) {
    std::ifstream data("/run/udev/data/b" + device);
    for (std::string line; std::getline(data, line);) {
        if (line == "E:ID_FS_TYPE=ntfs") {
            return true;
        }
    }
    return false;
}

} // namespace

SystemError fromNative(long code) {
    switch (code) {
    case 0:
        return {};
    case ENOSPC:
    case EDQUOT:
        return {Failure::NoSpace, code};
    case EFBIG:
        return {Failure::TooLarge, code};
    case EACCES:
    case EPERM:
        return {Failure::NoPermission, code};
    case EROFS:
        return {Failure::ReadOnlyMedium, code};
    case ENAMETOOLONG:
        return {Failure::NameTooLong, code};
    case ENOENT:
    case ENOTDIR:
        return {Failure::NotFound, code};
    case EISDIR:
    case EEXIST:
    case ENOTEMPTY:
        return {Failure::NameTaken, code};
    case EWOULDBLOCK:
        return {Failure::Busy, code};
    case EIO:
        return {Failure::IO, code};
    default:
        return {Failure::Other, code};
    }
}

std::optional<FileStatus> existingFile(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    return statusOf(info);
}

NameState nameState(const std::filesystem::path& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0) {
        return NameState::Taken;
    }
    return errno == ENOENT ? NameState::Free : NameState::Unknown;
}

bool isFolder(const std::filesystem::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::filesystem::path linkTarget(const std::filesystem::path& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
        return path;
    }
    std::error_code error;
    const auto target = std::filesystem::canonical(path, error);
    return error ? path : target;
}

// Links are followed when saving, so that the chosen name stays in the title.
std::filesystem::path canonicalName(const std::filesystem::path& path) {
    return path;
}

bool sameName(const std::filesystem::path::string_type& a,
              const std::filesystem::path::string_type& b) {
    return a == b;
}

bool onWindowsVolume(const std::filesystem::path& folder) {
    const auto mount = mountOfFolder(folder);
    if (!mount) {
        return false;
    }
    if (mount->type == "ntfs" || mount->type == "ntfs3") {
        return true;
    }
    // ntfs-3g is one of many programs in user space; the volume tells what it is.
    return mount->type.starts_with("fuse") &&
           (ntfsBootSector(mount->source) || udevSaysNtfs(mount->device));
}

std::optional<PortalDocument> portalDocument(const std::filesystem::path& file) {
    // Only the folder is looked up: the file itself is touched on a portal's mount alone.
    const auto mount = mountOfFolder(file.has_parent_path() ? file.parent_path() : ".");
    if (!mount || mount->type != "fuse.portal") {
        return std::nullopt;
    }
    PortalDocument document;
    document.inSandbox = ::access("/.flatpak-info", F_OK) == 0;
    char host[PATH_MAX];
    const auto size = ::getxattr(file.c_str(), "user.document-portal.host-path", host, sizeof host);
    if (size > 0) {
        std::string text(host, static_cast<std::size_t>(size));
        text.erase(text.find_last_not_of('\0') + 1);
        document.hostPath = text;
    }
    return document;
}

std::optional<std::filesystem::path> virtualStoreCopy(const std::filesystem::path&) {
    return std::nullopt;
}

std::vector<FolderFile> listFiles(const std::filesystem::path& folder) {
    std::vector<FolderFile> files;
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr) {
        return files;
    }
    while (const dirent* entry = ::readdir(listing)) {
        struct stat info {};
        if (::fstatat(::dirfd(listing), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(info.st_mode)) {
            files.push_back({entry->d_name, static_cast<std::uint64_t>(info.st_size),
                             clockMoment(info.st_mtim.tv_sec, info.st_mtim.tv_nsec)});
        }
    }
    ::closedir(listing);
    return files;
}

ReadResult readFile(const std::filesystem::path& path, std::size_t limit) {
    // Non-blocking, so that a FIFO swapped in after a check cannot hang the program.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.valid()) {
        return {errno == ENOENT ? ReadStatus::NotFound : ReadStatus::Failed, lastError(), {}};
    }
    // The file was checked by name; it may have changed before it was opened.
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        return {ReadStatus::Failed, lastError(), {}};
    }
    if (!S_ISREG(info.st_mode)) {
        return {ReadStatus::NotFound, {}, {}};
    }
    ReadResult result{ReadStatus::Read, {}, {}};
    result.bytes.reserve(std::min(limit, static_cast<std::size_t>(info.st_size)));
    if (!readUpTo(fd.get(), result.bytes, limit)) {
        return {ReadStatus::Failed, lastError(), {}};
    }
    return result;
}

SystemError flushFile(FileHandle file) {
    return ::fsync(file) == 0 ? SystemError{} : lastError();
}

SystemError writeNewFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                         Likeness likeness, SystemError (*flush)(FileHandle)) {
    FileDescriptor fd(
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666));
    if (!fd.valid()) {
        return lastError();
    }
    SystemError error = fill(fd.get(), bytes, likeness, flush);
    if (!error && fd.close() != 0) {
        error = lastError();
    }
    if (error) {
        ::unlink(path.c_str());
    }
    return error;
}

SystemError hardLink(const std::filesystem::path& existing, const std::filesystem::path& second) {
    return ::link(existing.c_str(), second.c_str()) == 0 ? SystemError{} : lastError();
}

SystemError replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? SystemError{} : lastError();
}

SystemError renameToNewName(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return {};
    }
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
        return lastError();
    }
    // A file system that cannot refuse to replace: a second name, which fails where the
    // name is taken, and then the first name goes.
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return {};
    }
    if (errno == EEXIST) {
        return lastError();
    }
    // Neither, as FAT in user space: the name is looked at just before. Saves into the
    // folder take turns, so only a program of another kind could take it in between.
    switch (nameState(to)) {
    case NameState::Taken:
        return {Failure::NameTaken, EEXIST};
    case NameState::Unknown:
        return lastError();
    case NameState::Free:
        break;
    }
    return replaceFile(from, to);
}

SystemError removeFile(const std::filesystem::path& path) {
    return ::unlink(path.c_str()) == 0 || errno == ENOENT ? SystemError{} : lastError();
}

// POSIX lets a file be replaced whoever holds it open.
SystemError checkReplaceable(const std::filesystem::path&) {
    return {};
}

// Replacing a file takes nothing from the other names of the old one.
void restoreLikeness(const std::filesystem::path&, const FileStatus&, bool) {}

// No program's hold keeps a file from being replaced here.
std::optional<std::string> holderOf(const std::filesystem::path&) {
    return std::nullopt;
}

FolderLock::~FolderLock() {
    for (const int fd : {folder_, lockFile_}) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

SystemError FolderLock::lock(const std::filesystem::path& folder, std::chrono::milliseconds wait) {
    folder_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder_ >= 0) {
        return lockWithin(folder_, wait);
    }
    if (errno != EACCES) {
        return lastError();
    }
    lockFile_ =
        ::open((folder / lockFileName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    return lockFile_ >= 0 ? lockWithin(lockFile_, wait) : lastError();
}

SystemError FolderLock::flush(SystemError (*flush)(FileHandle)) const {
    if (folder_ < 0) {
        // A folder that may be written but not read: all of its file system instead.
        return ::syncfs(lockFile_) == 0 ? SystemError{} : lastError();
    }
    // EINVAL: the file system has nothing to flush for folders.
    const SystemError error = flush(folder_);
    return error.code == EINVAL ? SystemError{} : error;
}

std::filesystem::path programFolder() {
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
}

} // namespace garagon::platform

namespace garagon {

std::string pathText(const std::filesystem::path& path) {
    return path.native();
}

} // namespace garagon
