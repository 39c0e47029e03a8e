// For the page's tests, which play the browser game through its canvas: the frames drawn and the
// steps taken so far, where the game is (0 the title, 1 the story, 2 placing, 3 racing, 4 a race
// over, 5 the ending), the runners' counters fixed, the digest of the race being played, and the
// player's records: the ones the game holds, and a game's end handed to them. Only the browser
// build has them.
#include <emscripten/emscripten.h>

#include "game/Records.h"
#include "game/race/Harry.h"
#include "game/race/Hurdler.h"
#include "game/screens/GamePlay.h"
#include "game/screens/RaceSnapshot.h"
#include "game/screens/StateManager.h"
#include "game/screens/TitleScreen.h"

extern "C" EMSCRIPTEN_KEEPALIVE unsigned long brickwrath_frames()
{
    return StateManager::getInstance()->framesDrawn();
}

extern "C" EMSCRIPTEN_KEEPALIVE unsigned long brickwrath_steps()
{
    return StateManager::getInstance()->stepsTaken();
}

extern "C" EMSCRIPTEN_KEEPALIVE int brickwrath_screen()
{
    const State* screen = StateManager::getInstance()->currentScreen();
    if (const auto* title = dynamic_cast<const TitleScreen*>(screen))
        return title->storyShown() ? 1 : 0;
    if (const auto* race = dynamic_cast<const GamePlay*>(screen))
        return race->isPlacing() ? 2 : race->isRaceOver() ? 4 : 3;
    return 5;
}

// The runners' counters as the desktop's scripted games fix them, so that two pages play the same
// race.
extern "C" EMSCRIPTEN_KEEPALIVE void brickwrath_fix_counters()
{
    Hurdler::randy = 1000;
    Harry::randy = 2000;
}

// What the race being played has come to so far (its outcome once it is over); 0 away from it.
extern "C" EMSCRIPTEN_KEEPALIVE unsigned brickwrath_race_digest()
{
    const auto* race = dynamic_cast<const GamePlay*>(StateManager::getInstance()->currentScreen());
    return race != nullptr ? RaceSnapshot::digest(RaceSnapshot::outcome(*race)) : 0u;
}

// The records the game holds: read from the site's storage at start-up, or beaten since.
extern "C" EMSCRIPTEN_KEEPALIVE int brickwrath_best_crushed()
{
    return Records::getInstance()->best().crushed;
}

extern "C" EMSCRIPTEN_KEEPALIVE int brickwrath_best_races()
{
    return Records::getInstance()->best().races;
}

// A game's end as the race screen hands it to the records, without the races to play first: a
// record it beats is written and stored as after a real game.
extern "C" EMSCRIPTEN_KEEPALIVE int brickwrath_end_game(int crushed, int won, int races)
{
    return Records::getInstance()->gameEnded(crushed, won != 0, races) ? 1 : 0;
}
