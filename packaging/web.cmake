# The game for the browser (make web): the page, its script, the WebAssembly and the game's data
# in one folder any static web server serves as it is. The data comes from the desktop build's
# generator (VORN7_WEB_DATA_DIR), since the generator runs on the build machine.
set(VORN7_WEB_DATA_DIR "" CACHE PATH "The desktop build's data folder, packed into the site")
if(NOT EXISTS "${VORN7_WEB_DATA_DIR}/x2.lvl")
    message(FATAL_ERROR "VORN7_WEB_DATA_DIR (${VORN7_WEB_DATA_DIR}) holds no game data")
endif()
set(VORN7_SITE_DIR ${CMAKE_BINARY_DIR}/site)
set(page_dir ${PROJECT_SOURCE_DIR}/src/platform/page)
set(site_data x2.lvl x2fg.lvl vorn7.png gfx/tiles.bmp gfx/bigben.bmp gfx/badguysprites2.bmp
    vornsprites24bit.bmp gfx/player.bmp gfx/goal.bmp)
set(preload)
foreach(file IN LISTS site_data)
    list(APPEND preload "SHELL:--preload-file ${VORN7_WEB_DATA_DIR}/${file}@/${file}")
endforeach()
# Static libpng needs zlib after it.
pkg_check_modules(WEB_ZLIB REQUIRED IMPORTED_TARGET zlib)
target_link_libraries(vorn7 PRIVATE PkgConfig::WEB_ZLIB)
set_target_properties(vorn7 PROPERTIES OUTPUT_NAME vorn7 SUFFIX .html
    RUNTIME_OUTPUT_DIRECTORY ${VORN7_SITE_DIR})
# ASYNCIFY: the game's own blocking main loop yields to the browser where it sleeps, so the
# engine's loop is the desktop's. EXIT_RUNTIME: Escape ends main, and the page hears of it.
target_link_options(vorn7 PRIVATE
    -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536 -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1
    -sFORCE_FILESYSTEM=1 -sMINIFY_HTML=0
    "SHELL:-sEXPORTED_FUNCTIONS=_main,_vorn7_file_written,_vorn7_frames_shown,_vorn7_key"
    # pacing_web.cpp's wait for the next animation frame unwinds the loop as a sleep does.
    "SHELL:-sASYNCIFY_IMPORTS=vorn7_wait_for_frame"
    "SHELL:-sEXPORTED_RUNTIME_METHODS=FS,ccall,UTF8ToString,addRunDependency,removeRunDependency"
    "SHELL:--shell-file ${page_dir}/index.html"
    ${preload})
set_property(TARGET vorn7 APPEND PROPERTY LINK_DEPENDS ${page_dir}/index.html)
foreach(file IN LISTS site_data)
    set_property(TARGET vorn7 APPEND PROPERTY LINK_DEPENDS ${VORN7_WEB_DATA_DIR}/${file})
endforeach()
# The page is index.html, so the site's address alone opens the game; its style and script
# beside it. Copied, not renamed: the linked vorn7.html stays, so a make web with nothing changed
# links nothing again. The shipped level is also a folder of the site, as a designer's level
# would be uploaded, so the page's link to it (?level=levels/first-run/) plays it.
set(shipped_level levels/first-run)
set(shipped_files x2.lvl x2fg.lvl x2.actors)
list(TRANSFORM shipped_files PREPEND ${VORN7_SITE_DIR}/${shipped_level}/ OUTPUT_VARIABLE shipped_out)
list(TRANSFORM shipped_files PREPEND ${VORN7_WEB_DATA_DIR}/${shipped_level}/ OUTPUT_VARIABLE shipped_in)
add_custom_command(
    OUTPUT ${VORN7_SITE_DIR}/index.html ${VORN7_SITE_DIR}/page.js ${VORN7_SITE_DIR}/page.css
           ${shipped_out}
    COMMAND ${CMAKE_COMMAND} -E copy ${VORN7_SITE_DIR}/vorn7.html ${VORN7_SITE_DIR}/index.html
    COMMAND ${CMAKE_COMMAND} -E copy ${page_dir}/page.js ${page_dir}/page.css ${VORN7_SITE_DIR}/
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VORN7_SITE_DIR}/${shipped_level}
    COMMAND ${CMAKE_COMMAND} -E copy ${shipped_in} ${VORN7_SITE_DIR}/${shipped_level}/
    DEPENDS vorn7 ${page_dir}/page.js ${page_dir}/page.css ${shipped_in})
add_custom_target(site ALL DEPENDS ${VORN7_SITE_DIR}/index.html ${VORN7_SITE_DIR}/page.js
                                   ${VORN7_SITE_DIR}/page.css ${shipped_out})

# The composition benchmark as WebAssembly, run by node (bench/compare-web): the game's own link
# options, the host's files read directly (NODERAWFS).
add_executable(vorn7_composition_views bench/composition_views.cpp bench/game_setup.cpp)
target_link_libraries(vorn7_composition_views PRIVATE vorn7_core vorn7_platform
    PkgConfig::WEB_ZLIB)
target_compile_definitions(vorn7_composition_views PRIVATE
    VORN7_DATA_DIR="${VORN7_WEB_DATA_DIR}")
set_target_properties(vorn7_composition_views PROPERTIES SUFFIX .js)
target_link_options(vorn7_composition_views PRIVATE
    -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536 -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1
    -sNODERAWFS=1 -sENVIRONMENT=node
    "SHELL:--pre-js ${PROJECT_SOURCE_DIR}/bench/node_globals.js")
