// Names of SDL 1.2 that Emscripten's SDL headers lack, given to every file of the browser build by
// the compiler (cmake/Web.cmake), so that the game's code reads the same on both targets.
#pragma once

#include <SDL/SDL_video.h>

// SDL 1.2 numbers swap control 16, which Emscripten's SDL takes and ignores: the browser paces the
// frames itself.
constexpr SDL_GLattr SDL_GL_SWAP_CONTROL = static_cast<SDL_GLattr>(16);
