// The software drawer behind a recording drawer, on SDL's dummy video driver.
#include "support/MirroringDrawer.h"

#include <SDL/SDL.h>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "draw/EmbeddedGlyphs.h"

MirroringDrawer::MirroringDrawer()
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) < 0)
        throw std::runtime_error(std::string("no SDL video: ") + SDL_GetError());
    real = std::make_unique<SDLDrawer>();
    if (!real->initialise(SDLDrawer::windowWidth, SDLDrawer::windowHeight, false, 0))
        throw std::runtime_error(std::string("no video mode: ") + SDL_GetError());
    mirror = real.get();
    loadEmbeddedGlyphs(*this);
}

MirroringDrawer::~MirroringDrawer()
{
    mirror = nullptr;
    real.reset();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
