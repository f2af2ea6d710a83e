#include "saving.hpp"

#include "error_text.hpp"
#include "file_descriptor.hpp"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>

namespace garagon {
namespace {

constexpr const char* crlf = "\r\n";
constexpr const char* checksumHint =
    "Bitte vergessen sie nicht die Checksummen mit dem Tarvo-Editor zu korrigieren!";

constexpr const char* stepWrite = "Die neue Datei konnte nicht geschrieben werden";
constexpr const char* stepBackup = "Die bisherige Datei konnte nicht gesichert werden";
constexpr const char* stepReplace = "Die neue Datei konnte nicht an ihren Platz gebracht werden";
constexpr const char* stepFlush = "Der Ordner konnte nicht auf den Datenträger geschrieben werden";

struct Save {
    const std::string& pfad;
    const std::string temp;
    std::span<const std::uint8_t> daten;
    const SaveSystemCalls& sys;
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

int writeAll(int fd, std::span<const std::uint8_t> daten) {
    std::size_t done = 0;
    while (done < daten.size()) {
        const ssize_t n = ::write(fd, daten.data() + done, daten.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return n < 0 ? errno : EIO;
        }
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

// A temporary file left by an interrupted save is replaced; anything else at its name
// makes the save fail rather than be written through or over.
void removeStaleTemporary(const std::string& temp) {
    struct stat info {};
    if (::lstat(temp.c_str(), &info) == 0 && (S_ISREG(info.st_mode) || S_ISLNK(info.st_mode))) {
        ::unlink(temp.c_str());
    }
}

int fillTemporary(const Save& save, FileDescriptor& fd, const struct stat* old) {
    if (old != nullptr) {
        // Best effort: some file systems keep no permission bits.
        ::fchmod(fd.get(), old->st_mode & 07777);
    }
    if (const int error = writeAll(fd.get(), save.daten)) {
        return error;
    }
    if (save.sys.fsync(fd.get()) != 0) {
        return errno;
    }
    return fd.close() == 0 ? 0 : errno;
}

// Returns 0 or the error number; a failed temporary file is removed again.
int writeTemporary(const Save& save, const struct stat* old) {
    removeStaleTemporary(save.temp);
    FileDescriptor fd(
        ::open(save.temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666));
    if (!fd.valid()) {
        return errno;
    }
    const int error = fillTemporary(save, fd, old);
    if (error != 0) {
        ::unlink(save.temp.c_str());
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

// Puts the old savegame back at its path after a later step failed.
Speicherergebnis undoBackup(const Save& save, const std::string& backup, const char* step,
                            int error) {
    const bool restored = ::rename(backup.c_str(), save.pfad.c_str()) == 0;
    return failure(step, error, true, restored ? std::string{} : backup);
}

Speicherergebnis replaceWithoutOld(const Save& save) {
    if (save.sys.rename(save.temp.c_str(), save.pfad.c_str()) != 0) {
        const int error = errno;
        ::unlink(save.temp.c_str());
        return failure(stepReplace, error, false);
    }
    if (const int error = flushFolder(save)) {
        ::unlink(save.pfad.c_str());
        return failure(stepFlush, error, false);
    }
    return success({});
}

// The backup is a second name of the old file, so the rename over the path is atomic.
Speicherergebnis finishLinked(const Save& save, const std::string& backup) {
    if (save.sys.rename(save.temp.c_str(), save.pfad.c_str()) != 0) {
        const int error = errno;
        ::unlink(backup.c_str());
        ::unlink(save.temp.c_str());
        return failure(stepReplace, error, true);
    }
    if (const int error = flushFolder(save)) {
        return undoBackup(save, backup, stepFlush, error);
    }
    return success(backup);
}

// For file systems without hard links: move the old file away, then the new one in.
Speicherergebnis replaceByMoving(const Save& save, const std::string& backup) {
    if (save.sys.rename(save.pfad.c_str(), backup.c_str()) != 0) {
        const int error = errno;
        ::unlink(save.temp.c_str());
        return failure(stepBackup, error, true);
    }
    if (save.sys.rename(save.temp.c_str(), save.pfad.c_str()) != 0) {
        const int error = errno;
        ::unlink(save.temp.c_str());
        return undoBackup(save, backup, stepReplace, error);
    }
    if (const int error = flushFolder(save)) {
        return undoBackup(save, backup, stepFlush, error);
    }
    return success(backup);
}

Speicherergebnis replaceKeepingBackup(const Save& save) {
    for (unsigned long number = 1;; ++number) {
        const std::string backup = freeBackupName(save.pfad, number);
        if (save.sys.link(save.pfad.c_str(), backup.c_str()) == 0) {
            return finishLinked(save, backup);
        }
        const int error = errno;
        if (linkUnsupported(error)) {
            return replaceByMoving(save, backup);
        }
        if (error != EEXIST) { // EEXIST: the name was taken meanwhile, try the next one
            ::unlink(save.temp.c_str());
            return failure(stepBackup, error, true);
        }
    }
}

} // namespace

std::string zwischendateiName(const std::string& pfad) {
    return pfad + ".~garagon-neu";
}

Speicherergebnis speichereSpielstand(const std::string& pfad, std::span<const std::uint8_t> daten,
                                     const SaveSystemCalls& sys) {
    const Save save{pfad, zwischendateiName(pfad), daten, sys};
    struct stat old {};
    const bool hadOld = ::stat(pfad.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    if (const int error = writeTemporary(save, hadOld ? &old : nullptr)) {
        return failure(stepWrite, error, hadOld);
    }
    return hadOld ? replaceKeepingBackup(save) : replaceWithoutOld(save);
}

} // namespace garagon
