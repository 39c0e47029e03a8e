// A fully transparent cursor, not SDL_ShowCursor(SDL_DISABLE): SDL's 1.2 layer grabs the input of a
// full-screen window, and a grabbed window whose cursor is hidden is put into relative mouse mode,
// where the game would get positions built up from relative motion instead of where the pointer is.
#include "platform/SystemPointer.h"

#include <iostream>

void SystemPointer::CursorFree::operator()(SDL_Cursor* cursor) const
{
    SDL_FreeCursor(cursor);
}

SystemPointer::Cursor SystemPointer::hide()
{
    // The smallest cursor SDL takes, 8 by 1, with every pixel left out of the mask.
    Uint8 pixels[1] = {0};
    Uint8 mask[1] = {0};
    Cursor transparent(SDL_CreateCursor(pixels, mask, 8, 1, 0, 0));
    if (!transparent) {
        std::cout << "SystemPointer: Could not make a transparent cursor, hiding the pointer instead: "
                  << SDL_GetError() << std::endl;
        SDL_ShowCursor(SDL_DISABLE);
        return transparent;
    }
    SDL_SetCursor(transparent.get());
    return transparent;
}
