// Loads the game's 42 embedded glyphs into any drawer, as the Application does at start-up.
#pragma once

class Drawer;

void loadGameGlyphs(Drawer& drawer);
