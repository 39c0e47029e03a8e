// A game linked for the GUI subsystem has no console of its own: started from a terminal it takes
// the terminal's, so that --help and the game's lines show there; started from Explorer it has none
// and none is opened. Output sent to a pipe or a file (Wine gives its terminal's) already has a
// handle and is left as it is.
#include "platform/ProgramConsole.h"

#include <windows.h>

#include <cstdio>

namespace {

bool hasHandle(DWORD which)
{
    const HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

} // namespace

void ProgramConsole::attach()
{
    if (hasHandle(STD_OUTPUT_HANDLE) || !AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    // The C streams, which std::cout writes through, are reopened on the console's output.
    if (std::freopen("CONOUT$", "w", stdout) != nullptr)
        std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (!hasHandle(STD_ERROR_HANDLE))
        std::freopen("CONOUT$", "w", stderr);
}
