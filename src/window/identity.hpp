#pragma once

namespace garagon {

inline constexpr const char* Programmname = "Garagon";
inline constexpr const char* Programmversion = "1.01.0007";
inline constexpr const char* Programmbeschreibung = "Autos in Spielständen austauschen für Tarvo";

// Name, version, organisation and the German (Germany) locale.
void setzeProgrammidentitaet();

} // namespace garagon
