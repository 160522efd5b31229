# Installation by the conventions of the GNU layout, and the Debian package.
include(GNUInstallDirs)
set(CMAKE_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/vorn7)

# Where the launcher goes: bin, or games for the Debian package (Debian's place for games).
set(VORN7_LAUNCHER_DIR ${CMAKE_INSTALL_BINDIR} CACHE STRING "Folder of the launcher in the prefix")
# The launcher finds the game and its data relative to itself, wherever the prefix is.
file(RELATIVE_PATH VORN7_BIN_TO_PREFIX /prefix/${VORN7_LAUNCHER_DIR} /prefix)
set(VORN7_DATA_DIR_INSTALLED ${CMAKE_INSTALL_FULL_DATADIR}/vorn7)
configure_file(packaging/vorn7-launcher.in ${CMAKE_BINARY_DIR}/packaging/vorn7 @ONLY)
configure_file(packaging/vorn7.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/packaging/io.github.vorn7.Vorn7.metainfo.xml @ONLY)
set(VORN7_DATA_DIR_SAVED ${VORN7_DATA_DIR})
set(VORN7_DATA_DIR ${VORN7_DATA_DIR_INSTALLED})
configure_file(packaging/vorn7.6 ${CMAKE_BINARY_DIR}/packaging/vorn7.6 @ONLY)
configure_file(packaging/vorn7-level.6 ${CMAKE_BINARY_DIR}/packaging/vorn7-level.6 @ONLY)
configure_file(packaging/changelog ${CMAKE_BINARY_DIR}/packaging/changelog @ONLY)
set(VORN7_DATA_DIR ${VORN7_DATA_DIR_SAVED})

# Debian wants manual pages and changelogs compressed, reproducibly.
find_program(GZIP gzip REQUIRED)
add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/packaging/vorn7.6.gz ${CMAKE_BINARY_DIR}/packaging/vorn7-level.6.gz
           ${CMAKE_BINARY_DIR}/packaging/changelog.gz
    COMMAND ${GZIP} -9nkf ${CMAKE_BINARY_DIR}/packaging/vorn7.6
    COMMAND ${GZIP} -9nkf ${CMAKE_BINARY_DIR}/packaging/vorn7-level.6
    COMMAND ${GZIP} -9nkf ${CMAKE_BINARY_DIR}/packaging/changelog
    DEPENDS ${CMAKE_BINARY_DIR}/packaging/vorn7.6 ${CMAKE_BINARY_DIR}/packaging/vorn7-level.6
            ${CMAKE_BINARY_DIR}/packaging/changelog)
add_custom_target(compressed_docs ALL DEPENDS ${CMAKE_BINARY_DIR}/packaging/vorn7.6.gz
                                              ${CMAKE_BINARY_DIR}/packaging/vorn7-level.6.gz
                                              ${CMAKE_BINARY_DIR}/packaging/changelog.gz)

# The program is started through its launcher, so it lives with the programs that are not run
# by users directly.
install(TARGETS vorn7 RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/vorn7)
# The level tools are run by the people who make levels: beside the launcher.
install(TARGETS vorn7-level RUNTIME DESTINATION ${VORN7_LAUNCHER_DIR})
install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/vorn7 DESTINATION ${VORN7_LAUNCHER_DIR})
install(DIRECTORY ${VORN7_DATA_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/vorn7)
install(FILES packaging/vorn7.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(DIRECTORY ${VORN7_ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${CMAKE_BINARY_DIR}/packaging/io.github.vorn7.Vorn7.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_BINARY_DIR}/packaging/vorn7.6.gz ${CMAKE_BINARY_DIR}/packaging/vorn7-level.6.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES packaging/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
              docs/LEVEL_FORMAT.md
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
