// Builds the Application, runs it and reports a failed start; the game always exits with status 0.
#include "app/SDLMain.h"

#include <string>
#include <vector>

#include "app/Application.h"
#include "app/FatalError.h"

int SDL_main(int argc, char** argv)
{
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    try {
        Application application(args);
        application.eventLoop();
    } catch (const FatalError& error) {
        FatalError copy(error);
        copy.display();
    }
    return 0;
}
