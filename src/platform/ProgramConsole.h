// The terminal a player started the game from, for the usage text and the game's lines: a
// terminal program has it already, a Windows game (GUI subsystem, so that Explorer opens no
// console) must attach to its parent's.
#pragma once

namespace ProgramConsole {

// Called first thing in main; standard output and error go to the parent's console from then on,
// unless they were already sent somewhere (a pipe or a file).
void attach();

} // namespace ProgramConsole
