// Quit signals on Windows are the console's control events, for a game started from a terminal
// (ProgramConsole attached it): Ctrl+C and Ctrl+Break, and the console window closed. SDL 1.2 does
// not turn them into quit events on Windows, so the handler pushes one itself.
#include "platform/QuitSignals.h"

#include <windows.h>

#include <SDL/SDL.h>

#include <atomic>

namespace {

std::atomic<bool> leaving{false};

BOOL WINAPI askToQuit(DWORD event)
{
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    // A closed console (or a logoff) ends the process as soon as the handler returns: it waits,
    // within the few seconds Windows gives, for the game to be on its way out.
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
        for (int waited = 0; !leaving && waited < 4000; waited += 50)
            Sleep(50);
    return TRUE;
}

BOOL WINAPI takeNoAction(DWORD)
{
    return TRUE;
}

} // namespace

namespace QuitSignals {

void leaveToSdl()
{
    leaving = false;
    SetConsoleCtrlHandler(&takeNoAction, FALSE);
    SetConsoleCtrlHandler(&askToQuit, TRUE);
}

void ignore()
{
    leaving = true;
    SetConsoleCtrlHandler(&askToQuit, FALSE);
    SetConsoleCtrlHandler(&takeNoAction, TRUE);
}

} // namespace QuitSignals
