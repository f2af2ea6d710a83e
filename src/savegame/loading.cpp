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

Ladestatus classify(const struct stat& info) {
    if (!isExistingFile(info)) {
        return Ladestatus::NichtGefunden;
    }
    if (info.st_size != static_cast<off_t>(SpielstandGroesse)) {
        return Ladestatus::KeinSpielstand;
    }
    return Ladestatus::Geladen;
}

// The file was checked by name; it may have changed before it was opened or while it
// was read, so everything is checked again on the open descriptor.
Ladeergebnis readOpened(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        return {Ladestatus::Lesefehler, {}};
    }
    if (const auto status = classify(info); status != Ladestatus::Geladen) {
        return {status, {}};
    }
    Bytes daten(SpielstandGroesse + 1);
    const ssize_t n = readFully(fd, daten.data(), daten.size());
    if (n < 0) {
        return {Ladestatus::Lesefehler, {}};
    }
    if (static_cast<std::size_t>(n) != SpielstandGroesse) {
        return {Ladestatus::KeinSpielstand, {}};
    }
    daten.pop_back();
    return {Ladestatus::Geladen, std::move(daten)};
}

} // namespace

Ladeergebnis ladeSpielstand(const std::string& pfad) {
    const auto info = existingFile(pfad);
    if (!info) {
        return {Ladestatus::NichtGefunden, {}};
    }
    if (const auto status = classify(*info); status != Ladestatus::Geladen) {
        return {status, {}};
    }
    // Non-blocking, so that a FIFO swapped in after the check cannot hang the program.
    FileDescriptor fd(::open(pfad.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.valid()) {
        return {errno == ENOENT ? Ladestatus::NichtGefunden : Ladestatus::Lesefehler, {}};
    }
    return readOpened(fd.get());
}

} // namespace garagon
