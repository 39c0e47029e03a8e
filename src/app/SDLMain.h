// The game's entry, called by the platform's own start-up code.
#pragma once

int SDL_main(int argc, char** argv);
