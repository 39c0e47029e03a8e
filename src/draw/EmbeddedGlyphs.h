// The game's 42 glyphs, embedded in the program, handed to a drawer.
#pragma once

#include <iosfwd>

#include "draw/Drawer.h"

// Decodes the glyphs for the next loadEmbeddedGlyphs, on any thread.
void decodeGlyphsAhead(std::ostream& report);
void loadEmbeddedGlyphs(Drawer& drawer);
