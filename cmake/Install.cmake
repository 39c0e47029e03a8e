# Everything `cmake --install` puts in place: the program, its sounds where the installed game
# looks for them, the desktop entry, icons, man page and AppStream metainfo.

set(BRICKWRATH_INSTALL_DATA "${CMAKE_INSTALL_DATADIR}/brickwrath")
set(BRICKWRATH_INSTALLED_SOUNDS "${CMAKE_INSTALL_FULL_DATADIR}/brickwrath/Contents/Resources/sounds")

install(TARGETS brickwrath RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY assets/sounds/ DESTINATION "${BRICKWRATH_INSTALL_DATA}/Contents/Resources/sounds"
        FILES_MATCHING PATTERN "*.ogg")

install(FILES data/brickwrath.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/brickwrath.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME io.github.brickwrath.Brickwrath.metainfo.xml)

install(FILES data/icons/brickwrath.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 22 24 32 48 64 128 256)
    install(FILES data/icons/${size}/brickwrath.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

configure_file(data/brickwrath.6 ${CMAKE_BINARY_DIR}/brickwrath.6 @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/brickwrath.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
