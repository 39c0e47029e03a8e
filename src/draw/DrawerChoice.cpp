// The drawers' one meeting point: the rest of the game only knows the Drawer interface.
#include "draw/DrawerChoice.h"

#include "draw/opengl/OpenGLDrawer.h"
#include "draw/software/SDLDrawer.h"

namespace DrawerChoice {

std::unique_ptr<Drawer> open(std::uint16_t width, std::uint16_t height, bool fullscreen, int antialias,
                             bool softwareDrawer, std::ostream& out)
{
    if (!softwareDrawer) {
        auto drawer = std::make_unique<OpenGLDrawer>();
        if (drawer->initialise(width, height, fullscreen, antialias))
            return drawer;
        // No OpenGL here (no driver, no visual): a picture from the software drawer beats none.
        out << "OpenGLDrawer: Could not set an OpenGL video mode, using the SDL drawer instead." << std::endl;
    }
    auto drawer = std::make_unique<SDLDrawer>();
    if (drawer->initialise(width, height, fullscreen, antialias))
        return drawer;
    return nullptr;
}

} // namespace DrawerChoice
