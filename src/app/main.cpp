// The program's main, for every target. SDL's header comes first: where SDL needs its own start-up
// code around main, it renames this one.
#include <SDL/SDL.h>

#include <string>
#include <vector>

#include "app/GameEntry.h"
#include "platform/ProgramConsole.h"

int main(int argc, char** argv)
{
    ProgramConsole::attach();
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    return runGame(args);
}
