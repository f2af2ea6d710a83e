#pragma once

namespace garagon {

// Set by the build: the one id of the desktop entry, the AppStream file and the icon.
inline constexpr const char* DesktopId = GARAGON_APP_ID;

// Name, version, desktop entry, the German (Germany) locale and Qt's own German texts,
// whatever language the user's environment asks for. Qt keeps nothing between runs.
void applyProgramIdentity();

} // namespace garagon
