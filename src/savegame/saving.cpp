#include "saving.hpp"

#include "bytes.hpp"
#include "file_exists.hpp"
#include "file_io.hpp"
#include "messages.hpp"
#include "save_folder.hpp"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>

namespace garagon {
namespace {

using messages::OldFile;
using messages::SaveStep;

struct Save {
    const std::string& path;
    std::span<const std::uint8_t> bytes;
    const SaveSystemCalls& sys;
    SaveFolder folder;
};

SaveResult failure(const Save& save, SaveStep step, int error, OldFile old,
                   const std::string& movedTo = {}) {
    const std::string why = messages::reason(error, save.folder.isGone());
    return {false, messages::ErrorTitle, messages::notSaved(step, why, old, movedTo), {}};
}

// The file gets the permission bits of like and, for a copy of it, also its times.
struct Likeness {
    const struct stat* like = nullptr;
    bool times = false;
};

int fillFile(int fd, std::span<const std::uint8_t> bytes, Likeness likeness,
             const SaveSystemCalls& sys) {
    const struct stat* like = likeness.like;
    if (like != nullptr) {
        // Best effort: some file systems keep no permission bits or times.
        ::fchmod(fd, like->st_mode & 07777);
    }
    if (const int error = writeAll(fd, bytes)) {
        return error;
    }
    if (like != nullptr && likeness.times) {
        const timespec times[] = {like->st_atim, like->st_mtim};
        ::futimens(fd, times);
    }
    return sys.fsync(fd) == 0 ? 0 : errno;
}

// Writes a new temporary file and flushes it to disk; returns 0 or the error number and
// names the file. A file that could not be written completely is removed again.
int writeDurably(const Save& save, std::span<const std::uint8_t> bytes, Likeness likeness,
                 std::string& name) {
    FileDescriptor fd = save.folder.createTemporary(name);
    if (!fd.valid()) {
        return errno;
    }
    int error = fillFile(fd.get(), bytes, likeness, save.sys);
    if (error == 0 && fd.close() != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(name.c_str());
    }
    return error;
}

// Nothing may be overwritten: a name taken by anything at all is passed over.
std::string freeBackupName(const std::string& path, unsigned long& number) {
    struct stat info {};
    while (::lstat((path + ".~" + std::to_string(number)).c_str(), &info) == 0) {
        ++number;
    }
    return path + ".~" + std::to_string(number);
}

bool linkUnsupported(int error) {
    return error == EPERM || error == EOPNOTSUPP || error == ENOSYS || error == EMLINK;
}

int readOldFile(const Save& save, const struct stat& old, Bytes& content) {
    FileDescriptor fd(::open(save.path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid()) {
        return errno;
    }
    content.resize(static_cast<std::size_t>(old.st_size));
    const ssize_t n = readFully(fd.get(), content.data(), content.size());
    if (n < 0) {
        return errno;
    }
    content.resize(static_cast<std::size_t>(n));
    return 0;
}

// Without hard links the old file is copied: a flushed copy under a temporary name that
// is then renamed to the backup name, so the savegame's own name is never missing.
int copyToBackup(const Save& save, const struct stat& old, unsigned long number,
                 std::string& backup) {
    Bytes content;
    if (const int error = readOldFile(save, old, content)) {
        return error;
    }
    std::string copy;
    if (const int error = writeDurably(save, content, {&old, true}, copy)) {
        return error;
    }
    backup = freeBackupName(save.path, number);
    if (save.sys.rename(copy.c_str(), backup.c_str()) != 0) {
        const int error = errno;
        ::unlink(copy.c_str());
        backup.clear();
        return error;
    }
    return 0;
}

// Gives the old file a second name path.~N; returns 0 or the error number.
int makeBackup(const Save& save, const struct stat& old, std::string& backup) {
    for (unsigned long number = 1;; ++number) {
        const std::string candidate = freeBackupName(save.path, number);
        if (save.sys.link(save.path.c_str(), candidate.c_str()) == 0) {
            backup = candidate;
            return 0;
        }
        const int error = errno;
        if (linkUnsupported(error)) {
            return copyToBackup(save, old, number, backup);
        }
        if (error != EEXIST) { // EEXIST: the name was taken meanwhile, try the next one
            return error;
        }
    }
}

// The backup, if there was an old file, exists and the savegame's name still holds the
// old file: put the new one there.
SaveResult replace(const Save& save, const std::string& backup, const struct stat* old) {
    const OldFile kept = old != nullptr ? OldFile::Unchanged : OldFile::None;
    const auto dropBackup = [&] {
        if (!backup.empty()) {
            ::unlink(backup.c_str());
        }
    };
    std::string temporary;
    if (const int error = writeDurably(save, save.bytes, {old, false}, temporary)) {
        dropBackup();
        return failure(save, SaveStep::Write, error, kept);
    }
    if (save.sys.rename(temporary.c_str(), save.path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        dropBackup();
        return failure(save, SaveStep::Replace, error, kept);
    }
    if (const int error = save.folder.flush(save.sys.fsync)) {
        if (old == nullptr) {
            ::unlink(save.path.c_str());
            return failure(save, SaveStep::Flush, error, kept);
        }
        const bool restored = ::rename(backup.c_str(), save.path.c_str()) == 0;
        return restored ? failure(save, SaveStep::Flush, error, kept)
                        : failure(save, SaveStep::Flush, error, OldFile::MovedAway, backup);
    }
    return {true, messages::SavedTitle, messages::saved(backup), backup};
}

// A savegame reached through a symbolic link is saved where the link points, so that
// the game sees the new bytes and the backup lies beside the real file.
std::string realSavegame(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
        return path;
    }
    std::error_code error;
    const auto target = std::filesystem::canonical(path, error);
    return error ? path : target.string();
}

std::filesystem::path folderOf(const std::string& path) {
    const auto folder = std::filesystem::path(path).parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

} // namespace

SaveResult saveSavegame(const std::string& chosen, std::span<const std::uint8_t> bytes,
                        const SaveSystemCalls& sys) {
    const std::string path = realSavegame(chosen);
    Save save{path, bytes, sys, SaveFolder(folderOf(path))};
    if (const int error = save.folder.lock(sys.lockWait)) {
        return failure(save, SaveStep::Lock, error,
                       existingFile(path) ? OldFile::Unchanged : OldFile::None);
    }
    save.folder.removeStaleTemporaries();
    const auto old = existingFile(path);
    if (!old) {
        return replace(save, {}, nullptr);
    }
    std::string backup;
    if (const int error = makeBackup(save, *old, backup)) {
        return failure(save, SaveStep::Backup, error, OldFile::Unchanged);
    }
    return replace(save, backup, &*old);
}

} // namespace garagon
