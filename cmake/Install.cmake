# Installation: the program folder <prefix>/lib/tabulist holds the programs with their help and
# settings files (the settings live beside the program, so that folder must stay writable by
# whoever saves them); <prefix>/bin gets links to the programs; the desktop entry, icons and
# manual page go where freedesktop and man look for them.
include(GNUInstallDirs)
set(TABULIST_PROGRAM_DIR "lib/tabulist")

foreach(program Tabulist tabulist-list)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION ${TABULIST_PROGRAM_DIR})
    endif()
endforeach()
if(TARGET Tabulist)
    install(FILES ${PROJECT_SOURCE_DIR}/data/Tabulist.hlp DESTINATION ${TABULIST_PROGRAM_DIR})
endif()

# The manual pages carry the project's version; each is installed with its program's command.
foreach(pair "tabulist-list;tabulist-list" "tabulist;Tabulist")
    list(GET pair 0 page)
    list(GET pair 1 program)
    configure_file(${PROJECT_SOURCE_DIR}/data/${page}.1 ${CMAKE_BINARY_DIR}/${page}.1 @ONLY)
    if(TARGET ${program})
        install(FILES ${CMAKE_BINARY_DIR}/${page}.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endif()
endforeach()

if(TARGET Tabulist)
    foreach(size 32 48 64 128)
        install(FILES ${PROJECT_SOURCE_DIR}/data/icons/${size}/tabulist.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
endif()

# Run at install time, where CMAKE_INSTALL_PREFIX is the prefix actually installed to
# (cmake --install --prefix overrides the configured one).
set(TABULIST_DEFAULT_SETTINGS ${PROJECT_SOURCE_DIR}/data/default.sav)
set(TABULIST_DESKTOP_ENTRY ${PROJECT_SOURCE_DIR}/data/tabulist.desktop)
configure_file(${PROJECT_SOURCE_DIR}/cmake/InstallSteps.cmake.in
               ${CMAKE_BINARY_DIR}/InstallSteps.cmake @ONLY)
install(SCRIPT ${CMAKE_BINARY_DIR}/InstallSteps.cmake)
