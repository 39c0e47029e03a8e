# The browser build's libraries, configured with emcmake (scripts/web.sh does it). Emscripten brings
# SDL 1.2 and OpenGL; libogg and libvorbis are compiled from Debian's source packages, whose folders
# scripts/web.sh fetches and passes in; stb_image comes from Debian's libstb-dev. The game's own
# sources are the desktop's lists, with the platform files of the browser.

enable_language(C)

include(cmake/OggVorbis.cmake)

# What the game's library needs in the browser: Emscripten's own SDL 1.2 and fixed-function OpenGL,
# C++ exceptions (FatalError is caught), and stb_image's header.
add_library(brickwrath_platform INTERFACE)
target_include_directories(brickwrath_platform SYSTEM INTERFACE "${CMAKE_BINARY_DIR}/stb")
target_compile_options(brickwrath_platform INTERFACE -fexceptions
    "$<$<COMPILE_LANGUAGE:CXX>:SHELL:-include ${CMAKE_SOURCE_DIR}/src/platform/web/SdlNames.h>")
target_link_options(brickwrath_platform INTERFACE -fexceptions -sLEGACY_GL_EMULATION=1 -sALLOW_MEMORY_GROWTH=1
    -sENVIRONMENT=web)
target_link_libraries(brickwrath_platform INTERFACE brickwrath_vorbis)
# The settings folder, with the records, is IndexedDB's file system, loaded before main.
set(BRICKWRATH_WEB_STORAGE "${CMAKE_SOURCE_DIR}/src/platform/web/PlayerStorage.js")
target_link_options(brickwrath_platform INTERFACE -lidbfs.js "SHELL:--pre-js ${BRICKWRATH_WEB_STORAGE}")
