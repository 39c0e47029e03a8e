// The page's stylesheet hides the pointer over the canvas (cursor: none). SDL_ShowCursor would ask
// the browser for pointer lock in full screen, which pins the game's own cursor to a corner.
#include "platform/SystemPointer.h"

void SystemPointer::CursorFree::operator()(SDL_Cursor*) const {}

SystemPointer::Cursor SystemPointer::hide()
{
    return nullptr;
}
