# Runs at install time, when the prefix is known: the menu entry starts the program by its
# full path, so that it works also where the prefix's bin folder is not on the PATH.
# Expects GARAGON_DESKTOP_TEMPLATE, GARAGON_APP_ID and GARAGON_BINDIR.
if(IS_ABSOLUTE "${GARAGON_BINDIR}")
    set(GARAGON_EXEC "${GARAGON_BINDIR}/garagon")
else()
    set(GARAGON_EXEC "${CMAKE_INSTALL_PREFIX}/${GARAGON_BINDIR}/garagon")
endif()
set(target "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/share/applications/${GARAGON_APP_ID}.desktop")
message(STATUS "Installing: ${target}")
configure_file("${GARAGON_DESKTOP_TEMPLATE}" "${target}" @ONLY)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${target}")
