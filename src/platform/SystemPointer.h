// The system's pointer over the game's window: the game draws a cursor of its own instead.
#pragma once

#include <SDL/SDL.h>
#include <memory>

namespace SystemPointer {

// Frees the cursor that hides the pointer; it must go before SDL ends. Defined with hide(): the
// browser's SDL has no cursors to free.
struct CursorFree {
    void operator()(SDL_Cursor* cursor) const;
};
using Cursor = std::unique_ptr<SDL_Cursor, CursorFree>;

// Hides the system's pointer over the window while mouse positions stay absolute, in full screen
// too. The returned cursor must be kept until SDL ends; it is null when the pointer had to be
// hidden the plain way, and in the browser, whose page hides it with CSS.
Cursor hide();

} // namespace SystemPointer
