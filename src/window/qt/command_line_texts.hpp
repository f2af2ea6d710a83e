#pragma once

#include <QString>

// The texts of the command line.
namespace garagon::texts {

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
