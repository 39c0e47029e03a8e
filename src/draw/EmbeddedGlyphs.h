// The game's 42 glyphs, embedded in the program, handed to a drawer.
#pragma once

#include "draw/Drawer.h"

void loadEmbeddedGlyphs(Drawer& drawer);
