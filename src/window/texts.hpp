#pragma once

// The texts the window gives the user to read, in UTF-8, lines joined by CR LF; the
// captions of the controls stand with the layout of the window and its dialogs.
namespace garagon::texts {

inline constexpr const char* TitlePrefix = "Garagon " GARAGON_VERSION " ";
inline constexpr const char* NoSavegame = "Kein Spielstand geladen";
inline constexpr const char* ErrorTitle = "Fehler";
inline constexpr const char* NoticeTitle = "Hinweis";
inline constexpr const char* OpenDialogTitle = "Tarvo Spielstand laden";

inline constexpr const char* Disclaimer =
    "Die Verwendung diesen Programmes erfolgt auf eigene Gefahr und unter Ausschluß "
    "jeglicher Haftung!\r\n\r\nFür weitere Infos besuche:\r\n" GARAGON_INFO_URL;

inline constexpr const char* CatalogueNotFound = "Die Wagenliste wurde nicht gefunden!";
inline constexpr const char* CatalogueUnreadable = "Die Wagenliste konnte nicht gelesen werden!";
inline constexpr const char* SavegameNotLoaded = "Spielstand konnte nicht geladen werden!";
inline constexpr const char* NotASavegame = "Die gewählte Datei ist kein Tarvo-Spielstand!";
inline constexpr const char* NoCarToReplace = "Es wurde kein zu ersetzendes Auto gewählt!";
inline constexpr const char* NoNewCar = "Es wurde kein neues Auto gewählt!";

// A list longer than any real savegame gives: how many were found, how many are listed.
inline constexpr const char* RowsCapped =
    "Es wurden {found} Wagen gefunden.\r\nAngezeigt werden nur die ersten {listed}.";

inline constexpr const char* ProgramName = "Garagon";

// Linux: the command line's help, and its errors.
inline constexpr const char* Usage =
    "Aufruf: garagon [OPTION] [SPIELSTAND]\n"
    "Autos in Spielständen austauschen für Tarvo.\n"
    "\n"
    "Mit einem SPIELSTAND öffnet Garagon diese Datei gleich beim Start.\n"
    "\n"
    "  -h, --help     diese Hilfe anzeigen und beenden\n"
    "      --version  die Version anzeigen und beenden\n"
    "\n"
    "Die Wagenliste Cardata.txt liegt im Ordner des Programms.\n";
inline constexpr const char* UnknownOption = "garagon: unbekannte Option „{option}“\n";
inline constexpr const char* SecondSavegame =
    "garagon: Es kann nur ein Spielstand geöffnet werden, nicht auch „{path}“.\n";
inline constexpr const char* MoreWithHelp = "Weitere Informationen mit „garagon --help“.\n";

// Windows: the command line names more than one savegame, or an option.
inline constexpr const char* CommandLineTitle = ProgramName;
inline constexpr const char* CommandLineUsage =
    "Garagon öffnet beim Start einen Spielstand, der als einzige Angabe genannt wird:\r\n"
    "garagon.exe SPIELSTAND\r\n\r\nDie Wagenliste Cardata.txt liegt im Ordner des Programms.";

// The backups of the chosen savegame: the command in the context menu (and the system
// menu on Windows), with its access key, and the dialog that lists them.
// Its access key is one that no entry of the German system menu has.
inline constexpr const char* BackupsCommand = "Sic&herungen…";
inline constexpr const char* BackupsTitle = "Sicherungen von {name}";
inline constexpr const char* UnsavedWarning =
    "Nicht gespeicherte Änderungen gehen beim Wiederherstellen verloren.";
inline constexpr const char* NoSavegameChosen =
    "Es wurde noch kein Spielstand geladen, dessen Sicherungen gezeigt werden könnten.";
inline constexpr const char* NoBackups = "Zu {name} gibt es keine Sicherungen.";
// What a backup changes of the savegame on disk.
inline constexpr const char* BackupSame = "gleich";
inline constexpr const char* BackupNotASavegame = "kein Tarvo-Spielstand";
inline constexpr const char* BackupUnreadable = "nicht lesbar";
inline constexpr const char* BackupIncomparable = "nicht vergleichbar";
inline constexpr const char* CarsChanged = "{count} Wagen anders: ";
inline constexpr const char* OtherBytes = "{count} weitere Bytes";
inline constexpr const char* OneOtherByte = "1 weiteres Byte";
inline constexpr const char* BytesChanged = "{count} Bytes anders";
inline constexpr const char* OneByteChanged = "1 Byte anders";
inline constexpr const char* UnknownCar = "unbekannt";
inline constexpr const char* CategoryNames[] = {"Ladenwagen", "Karrierewagen", "Meine Wagen"};
// The date and time of a backup's last change: day, month, year, hours, minutes.
inline constexpr const char* BackupTimeFormat = "%02d.%02d.%04d %02d:%02d";
inline constexpr const char* BackupTimeUnknown = "unbekannt";

// The command and dialog that find a car of the catalogue by words of its name. The
// command's access key is one that neither the German system menu nor "Sicherungen…" has.
inline constexpr const char* CarSearchCommand = "Wagen s&uchen…";
inline constexpr const char* CarSearchTitle = "Wagen suchen";
inline constexpr const char* CarsFound = "{count} von {total} Wagen";
inline constexpr const char* NoCarFound = "Kein Wagen passt (0 von {total} Wagen)";
inline constexpr const char* BackupInCloud =
    "nur in der Cloud gespeichert; wird beim Wiederherstellen heruntergeladen";
inline constexpr const char* VirtualStoreNotice =
    "Das Spiel liest diesen Spielstand nicht: Windows leitet ältere Programme, die in diesen "
    "Ordner schreiben wollen, auf eine eigene Kopie um. Das Spiel liest und speichert "
    "stattdessen:\r\n{copy}\r\nÖffnen Sie diese Datei, damit Ihre Änderungen im Spiel "
    "ankommen.";

// Undo and redo of replacements in the context menu (and the system menu on Windows): each
// step names the car replaced and the car put in. Their access keys are ones that neither
// the German system menu nor the other entries have.
inline constexpr const char* UndoCommand = "&Rückgängig";
inline constexpr const char* RedoCommand = "Wiederh&olen";
inline constexpr const char* StepCaption = "{command}: Ersetzen von {old} durch {new}";

// Asked before anything drops unsaved replacements; the first sentence also tells the
// system why the session's end waits.
inline constexpr const char* UnsavedChanges =
    "Die Änderungen an „{name}“ sind noch nicht gespeichert.";
inline constexpr const char* SaveQuestion = " Jetzt speichern?";
inline constexpr const char* SaveButton = "Speichern";
inline constexpr const char* DontSaveButton = "Nicht speichern";
inline constexpr const char* CancelButton = "Abbrechen";
// Why the session's end waits while a dialog of the program waits for an answer.
inline constexpr const char* DialogOpen = "Garagon wartet auf eine Antwort in einem Dialog.";

} // namespace garagon::texts
