#include "messages.hpp"

namespace garagon::messages {
namespace {

constexpr const char* crlf = "\r\n";

const char* stepText(SaveStep step) {
    switch (step) {
    case SaveStep::ReadBackup:
        return "Die Sicherung kann nicht verwendet werden";
    case SaveStep::Portal:
        return "Garagon darf neben diesem Spielstand keine Sicherung anlegen";
    case SaveStep::Lock:
        return "Der Ordner des Spielstands konnte nicht für das Speichern reserviert werden";
    case SaveStep::Check:
        return "Der Spielstand kann gerade nicht ersetzt werden";
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

// The failed step with its reason, and what became of the old file.
std::string failureDetails(SaveStep step, const std::string& why, OldFile old,
                           const std::string& movedTo, const std::string& newAt) {
    const std::string text = std::string(stepText(step)) + ": " + why + "." + crlf;
    switch (old) {
    case OldFile::None:
        return text + "Es wurde keine Datei angelegt.";
    case OldFile::Unchanged:
        return text + "Die bisherige Datei ist unverändert erhalten.";
    case OldFile::MovedAway:
        return text + "Die bisherige Version liegt unter dem Namen:" + crlf + movedTo;
    case OldFile::SecondName:
        return text + "Die bisherige Datei ist erhalten, trägt aber noch einen zweiten Namen, " +
               "der sich nicht entfernen ließ:" + crlf + movedTo + crlf +
               "Jede Änderung des Spielstands ändert auch diese Datei. Löschen Sie sie, sobald " +
               "das andere Programm den Spielstand freigibt.";
    case OldFile::BesideNew:
        return text + "Die neue Version liegt trotzdem unter dem Namen:" + crlf + newAt + crlf +
               "Die bisherige Version liegt unter dem Namen:" + crlf + movedTo;
    }
    return text;
}

// A word for the shell that stays one word, whatever the folder's name holds.
std::string shellWord(const std::string& text) {
    std::string word = "'";
    for (const char c : text) {
        word += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return word + "'";
}

} // namespace

std::string reason(platform::SystemError error, bool folderGone) {
    using platform::Failure;
    switch (error.kind) {
    case Failure::NoSpace:
        return "Auf dem Datenträger ist kein Platz mehr frei";
    case Failure::TooLarge:
        return "Die Datei ist zu groß für den Datenträger";
    case Failure::NoPermission:
        return "Keine Berechtigung";
    case Failure::ReadOnlyMedium:
        return "Der Datenträger ist schreibgeschützt";
    case Failure::NameTooLong:
        return "Der Name ist zu lang für den Datenträger";
    case Failure::NotFound:
        return folderGone ? "Der Ordner des Spielstands ist nicht mehr vorhanden"
                          : "Eine Datei wurde während des Speicherns von außen entfernt";
    case Failure::NameTaken:
        return "Der Name ist bereits durch einen Ordner oder eine andere Datei belegt";
    case Failure::Busy:
        return "Ein anderes Programm speichert gerade in diesem Ordner";
    case Failure::InUse:
        return "Die Datei wird gerade von einem anderen Programm benutzt";
    case Failure::HeldOpen:
        return "Ein anderes Programm, wahrscheinlich das Spiel, hat den Spielstand noch geöffnet. "
               "Beenden Sie es und speichern Sie dann noch einmal";
    case Failure::IO:
        return "Ein- oder Ausgabefehler des Datenträgers";
    case Failure::Protected:
        return "Der überwachte Ordnerzugriff von Windows (Ransomware-Schutz) lässt Garagon nicht "
               "in diesen Ordner schreiben. Erlauben Sie es unter Windows-Sicherheit → Viren- & "
               "Bedrohungsschutz → Ransomware-Schutz → „App durch überwachten Ordnerzugriff "
               "zulassen“, indem Sie dort garagon.exe hinzufügen";
    case Failure::InCloud:
        return "Die Datei wird in der Cloud aufbewahrt und kann gerade nicht gelesen oder "
               "geschrieben werden. Prüfen Sie, ob das Programm für die Synchronisierung läuft "
               "und der Computer mit dem Internet verbunden ist";
    case Failure::None:
    case Failure::Other:
        break;
    }
    return "Systemfehler " + std::to_string(error.code);
}

std::string throughPortal(const std::string& hostFolder, bool inSandbox) {
    std::string text = "Der Spielstand kam über das Dokumentenportal, das Garagon nur diese eine "
                       "Datei freigibt. Eine Sicherung daneben sähe nur Garagon, und sie ginge mit "
                       "dem Portal verloren";
    if (!inSandbox) {
        text += ". Öffnen Sie den Spielstand in seinem eigenen Ordner";
        if (!hostFolder.empty()) {
            text.append(":").append(crlf).append(hostFolder);
        }
        return text;
    }
    if (hostFolder.empty()) {
        text += ". Welcher Ordner es ist, sagt das Portal nicht: Es ist der Ordner, in dem Sie "
                "den Spielstand ausgewählt haben";
    }
    text.append(". Geben Sie Garagon diesen Ordner frei, im Terminal mit:").append(crlf);
    text.append("flatpak override --user --filesystem=");
    text.append(hostFolder.empty() ? "ORDNER" : shellWord(hostFolder));
    text.append(" " GARAGON_APP_ID).append(crlf);
    if (hostFolder.empty()) {
        text += "(ORDNER durch den Pfad des Ordners ersetzt) ";
    }
    return text + "oder mit einem Programm für Berechtigungen wie Flatseal. Starten Sie Garagon "
                  "danach neu und öffnen Sie den Spielstand noch einmal";
}

std::string heldBy(const std::string& program) {
    return program + " hat den Spielstand noch geöffnet. Beenden Sie es und speichern Sie dann "
                     "noch einmal";
}

std::string gameUsesCopy(const std::string& copy) {
    return std::string(". Das Spiel liest und speichert ohnehin nicht diese Datei, sondern die "
                       "Kopie, die Windows ihm anlegt:") +
           crlf + copy + crlf + "Öffnen und bearbeiten Sie diese Kopie";
}

std::string saved(const std::string& backup) {
    std::string text = std::string("Datei gespeichert!") + crlf;
    if (!backup.empty()) {
        text += std::string("Die vorherige Version wurde unter dem Namen:") + crlf + backup + crlf +
                " gesichert." + crlf;
    }
    return text + "Bitte vergessen sie nicht die Checksummen mit dem Tarvo-Editor zu korrigieren!";
}

std::string notSaved(SaveStep step, const std::string& why, OldFile old, const std::string& movedTo,
                     const std::string& newAt) {
    return std::string("Der Spielstand wurde nicht gespeichert!") + crlf +
           failureDetails(step, why, old, movedTo, newAt);
}

std::string restored(const std::string& backup, const std::string& keptAs) {
    std::string text = "Die Sicherung " + backup + " wurde wiederhergestellt.";
    if (!keptAs.empty()) {
        text += std::string(crlf) + "Die ersetzte Version wurde unter dem Namen:" + crlf + keptAs +
                crlf + " gesichert.";
    }
    return text;
}

std::string notRestored(const std::string& backup, SaveStep step, const std::string& why,
                        OldFile old, const std::string& movedTo, const std::string& newAt) {
    return "Die Sicherung " + backup + " wurde nicht wiederhergestellt!" + crlf +
           failureDetails(step, why, old, movedTo, newAt);
}

} // namespace garagon::messages
