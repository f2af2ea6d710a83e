#include "saving.hpp"

#include "bytes.hpp"
#include "error_text.hpp"
#include "file_descriptor.hpp"
#include "file_io.hpp"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>

namespace garagon {
namespace {

constexpr const char* crlf = "\r\n";
constexpr const char* checksumHint =
    "Bitte vergessen sie nicht die Checksummen mit dem Tarvo-Editor zu korrigieren!";

constexpr const char* stepBackup = "Die bisherige Datei konnte nicht gesichert werden";
constexpr const char* stepWrite = "Die neue Datei konnte nicht geschrieben werden";
constexpr const char* stepReplace = "Die neue Datei konnte nicht an ihren Platz gebracht werden";
constexpr const char* stepFlush = "Der Ordner konnte nicht auf den Datenträger geschrieben werden";

struct Save {
    const std::string& pfad;
    std::span<const std::uint8_t> daten;
    const SaveSystemCalls& sys;
    const std::string temp = zwischendateiName(pfad);
    const std::string backupTemp = pfad + ".~garagon-alt";
};

Speicherergebnis success(const std::string& backup) {
    std::string text = std::string("Datei gespeichert!") + crlf;
    if (!backup.empty()) {
        text += std::string("Die vorherige Version wurde unter dem Namen:") + crlf + backup + crlf +
                " gesichert." + crlf;
    }
    return {true, "Gespeichert", text + checksumHint, backup};
}

// oldAt names where the old savegame lies when it could not be put back at its path.
Speicherergebnis failure(const char* step, int error, bool hadOld, const std::string& oldAt = {}) {
    std::string text = std::string("Der Spielstand wurde nicht gespeichert!") + crlf + step + ": " +
                       fehlergrund(error) + "." + crlf;
    if (!hadOld) {
        text += "Es wurde keine Datei angelegt.";
    } else if (oldAt.empty()) {
        text += "Die bisherige Datei ist unverändert erhalten.";
    } else {
        text += std::string("Die bisherige Version liegt unter dem Namen:") + crlf + oldAt;
    }
    return {false, "Fehler", text, {}};
}

// A temporary file left by an interrupted save is replaced; anything else at its name
// makes the save fail rather than be written through or over.
void removeStaleTemporary(const std::string& name) {
    struct stat info {};
    if (::lstat(name.c_str(), &info) == 0 && (S_ISREG(info.st_mode) || S_ISLNK(info.st_mode))) {
        ::unlink(name.c_str());
    }
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

// Writes a new file and flushes it to disk; returns 0 or the error number. A file that
// could not be written completely is removed again.
int writeDurably(const std::string& name, std::span<const std::uint8_t> bytes, Likeness likeness,
                 const SaveSystemCalls& sys) {
    FileDescriptor fd(
        ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666));
    if (!fd.valid()) {
        return errno;
    }
    int error = fillFile(fd.get(), bytes, likeness, sys);
    if (error == 0 && fd.close() != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(name.c_str());
    }
    return error;
}

int flushFolder(const Save& save) {
    auto folder = std::filesystem::path(save.pfad).parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.valid()) {
        return errno;
    }
    // EINVAL: the file system has nothing to flush for folders.
    return save.sys.fsync(fd.get()) == 0 || errno == EINVAL ? 0 : errno;
}

// Nothing may be overwritten: a name taken by anything at all is passed over.
std::string freeBackupName(const std::string& pfad, unsigned long& number) {
    struct stat info {};
    while (::lstat((pfad + ".~" + std::to_string(number)).c_str(), &info) == 0) {
        ++number;
    }
    return pfad + ".~" + std::to_string(number);
}

bool linkUnsupported(int error) {
    return error == EPERM || error == EOPNOTSUPP || error == ENOSYS || error == EMLINK;
}

int readOldFile(const Save& save, const struct stat& old, Bytes& content) {
    FileDescriptor fd(::open(save.pfad.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
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
    if (const int error = writeDurably(save.backupTemp, content, {&old, true}, save.sys)) {
        return error;
    }
    backup = freeBackupName(save.pfad, number);
    if (save.sys.rename(save.backupTemp.c_str(), backup.c_str()) != 0) {
        const int error = errno;
        ::unlink(save.backupTemp.c_str());
        backup.clear();
        return error;
    }
    return 0;
}

// Gives the old file a second name pfad.~N; returns 0 or the error number.
int makeBackup(const Save& save, const struct stat& old, std::string& backup) {
    for (unsigned long number = 1;; ++number) {
        const std::string candidate = freeBackupName(save.pfad, number);
        if (save.sys.link(save.pfad.c_str(), candidate.c_str()) == 0) {
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
Speicherergebnis replace(const Save& save, const std::string& backup, const struct stat* old) {
    const bool hadOld = old != nullptr;
    const auto dropBackup = [&] {
        if (!backup.empty()) {
            ::unlink(backup.c_str());
        }
    };
    if (const int error = writeDurably(save.temp, save.daten, {old, false}, save.sys)) {
        dropBackup();
        return failure(stepWrite, error, hadOld);
    }
    if (save.sys.rename(save.temp.c_str(), save.pfad.c_str()) != 0) {
        const int error = errno;
        ::unlink(save.temp.c_str());
        dropBackup();
        return failure(stepReplace, error, hadOld);
    }
    if (const int error = flushFolder(save)) {
        if (!hadOld) {
            ::unlink(save.pfad.c_str());
            return failure(stepFlush, error, false);
        }
        const bool restored = ::rename(backup.c_str(), save.pfad.c_str()) == 0;
        return failure(stepFlush, error, true, restored ? std::string{} : backup);
    }
    return success(backup);
}

// A savegame reached through a symbolic link is saved where the link points, so that
// the game sees the new bytes and the backup lies beside the real file.
std::string realSavegame(const std::string& pfad) {
    struct stat info {};
    if (::lstat(pfad.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
        return pfad;
    }
    std::error_code error;
    const auto target = std::filesystem::canonical(pfad, error);
    return error ? pfad : target.string();
}

} // namespace

std::string zwischendateiName(const std::string& pfad) {
    return pfad + ".~garagon-neu";
}

Speicherergebnis speichereSpielstand(const std::string& gewaehlt,
                                     std::span<const std::uint8_t> daten,
                                     const SaveSystemCalls& sys) {
    const std::string pfad = realSavegame(gewaehlt);
    const Save save{pfad, daten, sys};
    // Both at once, so that an interrupted save never leaves more than one behind.
    removeStaleTemporary(save.backupTemp);
    removeStaleTemporary(save.temp);
    struct stat old {};
    if (::stat(pfad.c_str(), &old) != 0 || !S_ISREG(old.st_mode)) {
        return replace(save, {}, nullptr);
    }
    std::string backup;
    if (const int error = makeBackup(save, old, backup)) {
        return failure(stepBackup, error, true);
    }
    return replace(save, backup, &old);
}

} // namespace garagon
