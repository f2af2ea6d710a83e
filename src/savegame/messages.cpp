#include "messages.hpp"

#include <cerrno>

namespace garagon::messages {
namespace {

constexpr const char* crlf = "\r\n";

const char* stepText(SaveStep step) {
    switch (step) {
    case SaveStep::Lock:
        return "Der Ordner des Spielstands konnte nicht für das Speichern reserviert werden";
    case SaveStep::Backup:
        return "Die bisherige Datei konnte nicht gesichert werden";
    case SaveStep::Write:
        return "Die neue Datei konnte nicht geschrieben werden";
    case SaveStep::Replace:
        return "Die neue Datei konnte nicht an ihren Platz gebracht werden";
    case SaveStep::Flush:
        return "Der Ordner konnte nicht auf den Datenträger geschrieben werden";
    }
    return "";
}

} // namespace

std::string reason(int errorNumber, bool folderGone) {
    switch (errorNumber) {
    case ENOSPC:
    case EDQUOT:
        return "Auf dem Datenträger ist kein Platz mehr frei";
    case EFBIG:
        return "Die Datei ist zu groß für den Datenträger";
    case EACCES:
    case EPERM:
        return "Keine Berechtigung";
    case EROFS:
        return "Der Datenträger ist schreibgeschützt";
    case ENAMETOOLONG:
        return "Der Name ist zu lang für den Datenträger";
    case ENOENT:
    case ENOTDIR:
        return folderGone ? "Der Ordner des Spielstands ist nicht mehr vorhanden"
                          : "Eine Datei wurde während des Speicherns von außen entfernt";
    case EISDIR:
    case EEXIST:
    case ENOTEMPTY:
        return "Der Name ist bereits durch einen Ordner oder eine andere Datei belegt";
    case EWOULDBLOCK:
        return "Ein anderes Programm speichert gerade in diesem Ordner";
    case EIO:
        return "Ein- oder Ausgabefehler des Datenträgers";
    default:
        return "Systemfehler " + std::to_string(errorNumber);
    }
}

std::string saved(const std::string& backup) {
    std::string text = std::string("Datei gespeichert!") + crlf;
    if (!backup.empty()) {
        text += std::string("Die vorherige Version wurde unter dem Namen:") + crlf + backup + crlf +
                " gesichert." + crlf;
    }
    return text + "Bitte vergessen sie nicht die Checksummen mit dem Tarvo-Editor zu korrigieren!";
}

std::string notSaved(SaveStep step, const std::string& why, OldFile old,
                     const std::string& movedTo) {
    std::string text = std::string("Der Spielstand wurde nicht gespeichert!") + crlf +
                       stepText(step) + ": " + why + "." + crlf;
    switch (old) {
    case OldFile::None:
        return text + "Es wurde keine Datei angelegt.";
    case OldFile::Unchanged:
        return text + "Die bisherige Datei ist unverändert erhalten.";
    case OldFile::MovedAway:
        return text + "Die bisherige Version liegt unter dem Namen:" + crlf + movedTo;
    }
    return text;
}

} // namespace garagon::messages
