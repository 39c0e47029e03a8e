# The Windows build's libraries, cross-compiled with MinGW-w64 (cmake/MinGW-x64.cmake; scripts/windows.sh
# does it). SDL 1.2 comes from the prefix that scripts/windows-deps.sh builds from Debian's libsdl1.2;
# libogg, libvorbis and stb_image as in the browser; OpenGL is the system's opengl32 and glu32.

enable_language(C)

include(cmake/OggVorbis.cmake)

set(BRICKWRATH_WINDOWS_PREFIX "" CACHE PATH "Prefix with SDL 1.2 built for Windows (scripts/windows-deps.sh)")
if(NOT EXISTS "${BRICKWRATH_WINDOWS_PREFIX}/include/SDL/SDL.h")
    message(FATAL_ERROR "BRICKWRATH_WINDOWS_PREFIX must hold SDL 1.2 built for Windows (scripts/windows-deps.sh)")
endif()

add_library(brickwrath_platform INTERFACE)
target_include_directories(brickwrath_platform SYSTEM INTERFACE "${CMAKE_BINARY_DIR}/stb"
    "${BRICKWRATH_WINDOWS_PREFIX}/include")
# MinGW's GL/gl.h stops at OpenGL 1.1; the names the drawer takes from later versions come first,
# for the drawer alone: the header brings windows.h with it.
set_source_files_properties(src/draw/opengl/OpenGLDrawer.cpp PROPERTIES COMPILE_OPTIONS
    "-include;${CMAKE_SOURCE_DIR}/src/platform/windows/GlNames.h")
# SDLmain's WinMain calls the game's main; mingw32 comes before it, as sdl-config has it. A game, not a
# console program: the GUI subsystem opens no console from Explorer (ProgramConsole attaches to a
# terminal's). The C and C++ runtimes and winpthread are linked in, so SDL.dll is the one DLL to ship.
target_link_libraries(brickwrath_platform INTERFACE mingw32 "${BRICKWRATH_WINDOWS_PREFIX}/lib/libSDLmain.a"
    "${BRICKWRATH_WINDOWS_PREFIX}/lib/libSDL.dll.a" brickwrath_vorbis glu32 opengl32 gdi32 shell32 ole32 uuid)
target_link_options(brickwrath_platform INTERFACE -mwindows -static)
