// Which drawer opens the window: OpenGL unless the player asked for the software drawer, and the
// software drawer in its place when OpenGL cannot start.
#pragma once

#include <cstdint>
#include <memory>
#include <ostream>

#include "draw/Drawer.h"

namespace DrawerChoice {

// The drawer with its window open, or null when not even the software drawer could set a video
// mode. A fallback to the software drawer is told on `out`.
std::unique_ptr<Drawer> open(std::uint16_t width, std::uint16_t height, bool fullscreen, int antialias,
                             bool softwareDrawer, std::ostream& out);

} // namespace DrawerChoice
