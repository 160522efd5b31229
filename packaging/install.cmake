# Installation by the conventions of the GNU layout, and the Debian package.
include(GNUInstallDirs)
set(CMAKE_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/vorn7)

# Where the launcher goes: bin, or games for the Debian package (Debian's place for games).
set(VORN7_LAUNCHER_DIR ${CMAKE_INSTALL_BINDIR} CACHE STRING "Folder of the launcher in the prefix")
# The launcher finds the game and its data relative to itself, wherever the prefix is.
file(RELATIVE_PATH VORN7_BIN_TO_PREFIX /prefix/${VORN7_LAUNCHER_DIR} /prefix)
configure_file(packaging/vorn7-launcher.in ${CMAKE_BINARY_DIR}/packaging/vorn7 @ONLY)
configure_file(packaging/vorn7.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/packaging/io.github.vorn7.vorn7.metainfo.xml @ONLY)
configure_file(packaging/changelog ${CMAKE_BINARY_DIR}/packaging/changelog @ONLY)

# Debian wants changelogs compressed, reproducibly.
find_program(GZIP gzip REQUIRED)
add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/packaging/changelog.gz
    COMMAND ${GZIP} -9nkf ${CMAKE_BINARY_DIR}/packaging/changelog
    DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog)
add_custom_target(compressed_docs ALL DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog.gz)

# The program is started through its launcher, so it lives with the programs that are not run
# by users directly.
install(TARGETS vorn7 RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/vorn7)
# The level tool is a tool, not a game: with the programs (/usr/bin in the package).
install(TARGETS vorn7-level RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/vorn7 DESTINATION ${VORN7_LAUNCHER_DIR})
# A stripped install (the package, make install) also drops the compiler's notes, as Debian's
# own packages do.
install(CODE "if(CMAKE_INSTALL_DO_STRIP)
    foreach(program \"${CMAKE_INSTALL_LIBEXECDIR}/vorn7/vorn7\" \"${CMAKE_INSTALL_BINDIR}/vorn7-level\")
        execute_process(COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment --remove-section=.note
                        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${program}\")
    endforeach()
endif()")
install(DIRECTORY ${VORN7_DATA_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/vorn7)
install(FILES packaging/vorn7.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(DIRECTORY ${VORN7_ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${CMAKE_BINARY_DIR}/packaging/io.github.vorn7.vorn7.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The manual pages are written when the prefix is known: they name its data folder.
set(VORN7_MANUALS ${CMAKE_BINARY_DIR}/packaging/man)
install(CODE "set(VORN7_SOURCE \"${PROJECT_SOURCE_DIR}\")
    set(VORN7_MANUALS \"${VORN7_MANUALS}\")
    set(PROJECT_VERSION \"${PROJECT_VERSION}\")
    set(VORN7_DATADIR \"${CMAKE_INSTALL_DATADIR}\")
    include(\"${PROJECT_SOURCE_DIR}/packaging/manual_pages.cmake\")")
install(FILES ${VORN7_MANUALS}/vorn7.6.gz ${VORN7_MANUALS}/vorn7-level.6.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES packaging/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
              README.md docs/LEVEL_FORMAT.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# make uninstall: removes what the last install wrote, then the folders it leaves empty.
add_custom_target(uninstall
    COMMAND sh ${PROJECT_SOURCE_DIR}/scripts/uninstall ${CMAKE_BINARY_DIR}/install_manifest.txt
            ${CMAKE_INSTALL_PREFIX}
    COMMENT "Removing what was installed")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorn7)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Vorn7 developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "side-scrolling platform engine prototype")
set(CPACK_PACKAGE_DESCRIPTION "Vorn7 shows a world of 8192 by 8192 pixels in full screen
around a free camera: a parallax background, a layer of tiles, a walker
with pixel-exact collision, a foreground layer and a diagnostic overlay.
The arrow keys move the camera; Space and Enter change the display mode.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The package is staged with DESTDIR, so the install sees the prefix it ships with (/usr).
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX ${CPACK_PACKAGING_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Vorn7 developers <vorn7@users.noreply.github.com>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/vorn7/vorn7)
# The run-time dependencies (SDL2's library among them) are worked out from the binary.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
