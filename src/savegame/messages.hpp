#pragma once

#include "file_system.hpp"

#include <string>

// Every German text that the savegame layer gives the user to read.
namespace garagon::messages {

// Shown, titled "Fehler", when a catalogue code is not 8 bytes long.
inline constexpr const char* WrongCodeLength =
    "Die Kennung des gewählten Wagens ist nicht 8 Bytes lang.\r\n"
    "Der Spielstand wurde nicht verändert!";

inline constexpr const char* SavedTitle = "Gespeichert";
inline constexpr const char* RestoredTitle = "Wiederhergestellt";
inline constexpr const char* ErrorTitle = "Fehler";

// The step of a save that failed, the second line of its message.
enum class SaveStep { ReadBackup, Portal, Lock, Check, Backup, Write, Replace, Flush };

// The start of the name under which a version of an interrupted save is kept when it can
// be neither its savegame nor a backup of it.
inline constexpr const char* RescuedVersionPrefix = "Garagon-Rettung-";

// Why a backup cannot be restored.
inline constexpr const char* BackupGone = "Sie ist nicht mehr vorhanden";
inline constexpr const char* BackupNotASavegame = "Sie ist kein Tarvo-Spielstand";

// What became of the old savegame after a failed save: SecondName is a backup name of the
// very file that could not be taken away again; BesideNew, that the old version lies under
// a backup's name and the new one, not known to be on the disk, under the savegame's.
enum class OldFile { None, Unchanged, MovedAway, SecondName, BesideNew };

// A short German reason for a system error. "No such file" means that the savegame's
// folder is gone only when it really is.
std::string reason(platform::SystemError error, bool folderGone = false);

// Why nothing is saved beside a savegame that the document portal handed over, and how the
// player gives Garagon its folder: in the sandbox by a permission, named where the portal
// tells the folder (empty where not), and outside it by opening the file where it lies.
std::string throughPortal(const std::string& hostFolder, bool inSandbox);

// The reason when the named program holds the savegame open.
std::string heldBy(const std::string& program);

// The reason when the read-only medium is a Windows volume, and what to do about it.
inline constexpr const char* WindowsVolumeReadOnly =
    "Der Datenträger ist schreibgeschützt. Er ist ein Windows-Laufwerk, das Linux nur zum "
    "Lesen einbindet, solange Windows nicht vollständig heruntergefahren ist (Ruhezustand oder "
    "Schnellstart). Fahren Sie Windows vollständig herunter oder schalten Sie dort den "
    "Schnellstart aus (Systemsteuerung → Energieoptionen → „Auswählen, was beim Drücken des "
    "Netzschalters geschehen soll“), und binden Sie das Laufwerk dann neu ein";

// What follows a refusal where Windows gives old games a copy of the file of their own.
std::string gameUsesCopy(const std::string& copy);

// The confirmation; the backup's name is UTF-8, and empty when the old file no longer
// existed.
std::string saved(const std::string& backup);

// Three parts: the save failed, the step and its reason, what became of the old file
// (movedTo, UTF-8, names where it lies when it could not be put back, or its second name;
// newAt where the new version lies beside it).
std::string notSaved(SaveStep step, const std::string& why, OldFile old,
                     const std::string& movedTo = {}, const std::string& newAt = {});

// The confirmation of a restore: the restored backup's name, and the full name under
// which the replaced version was kept (empty when there was none).
std::string restored(const std::string& backup, const std::string& keptAs);

// As notSaved, for a restore of the named backup.
std::string notRestored(const std::string& backup, SaveStep step, const std::string& why,
                        OldFile old, const std::string& movedTo = {},
                        const std::string& newAt = {});

} // namespace garagon::messages
