// The signals that ask the game to quit (an interrupt, a terminate), set as each stage of the
// game's life needs them.
#pragma once

namespace QuitSignals {

// Gives them their default action: SDL turns them into quit events only where they still have it.
void leaveToSdl();
// The game is on its way out: further quit signals are ignored rather than allowed to turn a clean
// quit into a killed one.
void ignore();

} // namespace QuitSignals
