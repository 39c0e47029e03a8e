// The system's mouse pointer, which the game hides to draw its own.
#pragma once

namespace SystemPointer {

// On Linux SDL hides it over the window. The browser's page hides it itself with CSS: Emscripten's
// SDL would ask for pointer lock in full screen instead, which pins the game's cursor to a corner.
void hide();

} // namespace SystemPointer
