# Run at install time: the manual pages name the data folder of this install, so they are written
# once the prefix is known (make install PREFIX=..., the package's /usr), then compressed as
# Debian wants them, reproducibly. Expects VORN7_SOURCE, VORN7_MANUALS, PROJECT_VERSION and
# VORN7_DATADIR (relative to the prefix).
set(VORN7_DATA_DIR "${CMAKE_INSTALL_PREFIX}/${VORN7_DATADIR}/vorn7")
foreach(page vorn7.6 vorn7-level.6)
    configure_file(${VORN7_SOURCE}/packaging/${page} ${VORN7_MANUALS}/${page} @ONLY)
    execute_process(COMMAND gzip -9nf ${VORN7_MANUALS}/${page} RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "gzip could not compress ${VORN7_MANUALS}/${page}")
    endif()
endforeach()
