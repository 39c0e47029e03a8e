// Linux start-up: nothing to set up around the game, so main hands straight over to the entry.
#include "app/SDLMain.h"

int main(int argc, char** argv)
{
    return SDL_main(argc, argv);
}
