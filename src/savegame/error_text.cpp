#include "error_text.hpp"

#include <cerrno>

namespace garagon {

std::string fehlergrund(int errorNumber) {
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
    case ENOENT:
    case ENOTDIR:
        return "Der Ordner des Spielstands ist nicht mehr vorhanden";
    case EISDIR:
    case EEXIST:
    case ENOTEMPTY:
        return "Der Name ist bereits durch einen Ordner oder eine andere Datei belegt";
    case EIO:
        return "Ein- oder Ausgabefehler des Datenträgers";
    default:
        return "Systemfehler " + std::to_string(errorNumber);
    }
}

} // namespace garagon
