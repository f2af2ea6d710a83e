#pragma once

// The texts the window gives the user to read, in UTF-8, lines joined by CR LF; the
// captions of the controls stand with each window's layout.
namespace garagon::texts {

inline constexpr const char* TitlePrefix = "Garagon 1.1 ";
inline constexpr const char* NoSavegame = "Kein Spielstand geladen";
inline constexpr const char* ErrorTitle = "Fehler";
inline constexpr const char* NoticeTitle = "Hinweis";

inline constexpr const char* Disclaimer =
    "Die Verwendung diesen Programmes erfolgt auf eigene Gefahr und unter Ausschluß "
    "jeglicher Haftung!\r\n\r\nFür weitere Infos besuche:\r\nhttps://garagon.example/tarvo";

inline constexpr const char* CatalogueNotFound = "Die Wagenliste wurde nicht gefunden!";
inline constexpr const char* CatalogueUnreadable = "Die Wagenliste konnte nicht gelesen werden!";
inline constexpr const char* SavegameNotLoaded = "Spielstand konnte nicht geladen werden!";
inline constexpr const char* NotASavegame = "Die gewählte Datei ist kein Tarvo-Spielstand!";
inline constexpr const char* NoCarToReplace = "Es wurde kein zu ersetzendes Auto gewählt!";
inline constexpr const char* NoNewCar = "Es wurde kein neues Auto gewählt!";

// A list longer than any real savegame gives: how many were found, how many are listed.
inline constexpr const char* RowsCapped =
    "Es wurden {found} Wagen gefunden.\r\nAngezeigt werden nur die ersten {listed}.";

// Windows: the command line names more than one savegame, or an option.
inline constexpr const char* CommandLineTitle = "Garagon";
inline constexpr const char* CommandLineUsage =
    "Garagon öffnet beim Start einen Spielstand, der als einzige Angabe genannt wird:\r\n"
    "garagon.exe SPIELSTAND\r\n\r\nDie Wagenliste Cardata.txt liegt im Ordner des Programms.";

// What assistive technology reads for the list.
inline constexpr const char* FoundCars = "Gefundene Wagen";

} // namespace garagon::texts
