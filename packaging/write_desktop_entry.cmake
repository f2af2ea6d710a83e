# Runs at install time, when the prefix is known: the menu entry starts the program by its
# full path, so that it works also where the prefix's bin folder is not on the PATH.
# Expects GARAGON_DESKTOP_ENTRY (made at configure time), GARAGON_APP_ID and GARAGON_BINDIR.
file(READ "${GARAGON_DESKTOP_ENTRY}" entry)
if(IS_ABSOLUTE "${GARAGON_BINDIR}")
    set(bindir "${GARAGON_BINDIR}")
else()
    set(bindir "${CMAKE_INSTALL_PREFIX}/${GARAGON_BINDIR}")
endif()
string(REPLACE "INSTALLED_BINDIR" "${bindir}" entry "${entry}")
set(target "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/share/applications/${GARAGON_APP_ID}.desktop")
message(STATUS "Installing: ${target}")
file(WRITE "${target}" "${entry}")
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${target}")
