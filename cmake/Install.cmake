# Everything `cmake --install` puts in place: the program, its sounds where the installed game
# looks for them, the desktop entry, icons, man page and AppStream metainfo. The man page and the
# metainfo carry the project's version.

# Relative to the prefix, so that `cmake --install --prefix` moves the sounds with the program.
file(RELATIVE_PATH BRICKWRATH_INSTALL_DATA "${CMAKE_INSTALL_PREFIX}" "${BRICKWRATH_DATA_DIR}")
set(BRICKWRATH_INSTALLED_SOUNDS "${BRICKWRATH_DATA_DIR}/Contents/Resources/sounds")
# Full path: a desktop session's PATH may lack bin folders such as /usr/games.
set(BRICKWRATH_INSTALLED_PROGRAM "${CMAKE_INSTALL_FULL_BINDIR}/brickwrath")

install(TARGETS brickwrath RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY assets/sounds/ DESTINATION "${BRICKWRATH_INSTALL_DATA}/Contents/Resources/sounds"
        FILES_MATCHING PATTERN "*.ogg")

configure_file(data/brickwrath.desktop ${CMAKE_BINARY_DIR}/brickwrath.desktop @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/brickwrath.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(data/brickwrath.metainfo.xml ${CMAKE_BINARY_DIR}/brickwrath.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/brickwrath.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME io.github.brickwrath.Brickwrath.metainfo.xml)

install(FILES data/icons/brickwrath.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 22 24 32 48 64 128 256)
    install(FILES data/icons/${size}/brickwrath.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

configure_file(data/brickwrath.6 ${CMAKE_BINARY_DIR}/brickwrath.6 @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/brickwrath.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
