#pragma once

#include <QString>

// The texts the window and the command line give the user to read; the captions of the
// controls stand with the layout.
namespace garagon::texts {

inline const QString TitlePrefix = QStringLiteral("Garagon 1.1 ");
inline const QString NoSavegame = QStringLiteral("Kein Spielstand geladen");
inline const QString ErrorTitle = QStringLiteral("Fehler");

inline const QString Disclaimer = QStringLiteral(
    "Die Verwendung diesen Programmes erfolgt auf eigene Gefahr und unter Ausschluß "
    "jeglicher Haftung!\r\n\r\nFür weitere Infos besuche:\r\nhttps://garagon.example/tarvo");

inline const QString CatalogueNotFound = QStringLiteral("Die Wagenliste wurde nicht gefunden!");
inline const QString CatalogueUnreadable =
    QStringLiteral("Die Wagenliste konnte nicht gelesen werden!");
inline const QString SavegameNotLoaded = QStringLiteral("Spielstand konnte nicht geladen werden!");
inline const QString NotASavegame = QStringLiteral("Die gewählte Datei ist kein Tarvo-Spielstand!");
inline const QString NoCarToReplace = QStringLiteral("Es wurde kein zu ersetzendes Auto gewählt!");
inline const QString NoNewCar = QStringLiteral("Es wurde kein neues Auto gewählt!");

// What assistive technology reads for the list.
inline const QString FoundCars = QStringLiteral("Gefundene Wagen");

inline const QString Usage =
    QStringLiteral("Aufruf: garagon [OPTION] [SPIELSTAND]\n"
                   "Autos in Spielständen austauschen für Tarvo.\n"
                   "\n"
                   "Mit einem SPIELSTAND öffnet Garagon diese Datei gleich beim Start.\n"
                   "\n"
                   "  -h, --help     diese Hilfe anzeigen und beenden\n"
                   "      --version  die Version anzeigen und beenden\n"
                   "\n"
                   "Die Wagenliste Cardata.txt liegt im Ordner des Programms.\n");
inline const QString UnknownOption = QStringLiteral("garagon: unbekannte Option „%1“\n");
inline const QString SecondSavegame =
    QStringLiteral("garagon: Es kann nur ein Spielstand geöffnet werden, nicht auch „%1“.\n");
inline const QString MoreWithHelp = QStringLiteral("Weitere Informationen mit „garagon --help“.\n");

} // namespace garagon::texts
