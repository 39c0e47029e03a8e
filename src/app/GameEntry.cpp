// Builds the Application and hands its frame to the platform's loop, which owns it from then on.
#include "app/GameEntry.h"

#include <memory>

#include "app/Application.h"
#include "app/FatalError.h"
#include "platform/MainLoop.h"

int runGame(const std::vector<std::string>& args)
{
    std::shared_ptr<Application> game;
    try {
        game = std::make_shared<Application>(args);
    } catch (const FatalError& error) {
        FatalError copy(error);
        copy.display();
        // A game that could not start ends at its first frame, which tells a page so.
        MainLoop::run([] { return false; });
        return 0;
    }
    MainLoop::run([game = std::move(game)]() mutable {
        if (game->frame())
            return true;
        game.reset(); // shuts down before the loop returns, on every target
        return false;
    });
    return 0;
}
