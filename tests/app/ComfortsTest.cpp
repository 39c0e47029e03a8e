// The player's keys in the real game, through SDL's event queue on the software drawer: the
// pause (by key, by a lost focus) that holds the race exactly where it was, the click that goes
// on and does nothing else, and the sound key without sound.
#include <SDL/SDL.h>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/ApplicationFixture.h"
#include "game/screens/GamePlay.h"
#include "game/screens/RaceSnapshot.h"
#include "game/screens/TitleScreen.h"

namespace {

class ComfortsTest : public ApplicationFixture {
protected:
    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        start({"-s", "-ns"});
    }

    // A race with fixed counters, `before` steps under way.
    void raceFor(int before)
    {
        ScriptedPlayer::fixCounters();
        StateManager::getInstance()->restart();
        player.startGame();
        player.go();
        player.frames(before);
        ASSERT_NE(race(), nullptr);
        ASSERT_FALSE(race()->isPlacing());
    }
    // The race after each of the next `count` steps.
    std::vector<std::string> snapshots(int count)
    {
        std::vector<std::string> after;
        for (int i = 0; i < count && application->step(); ++i)
            after.push_back(RaceSnapshot::of(*race()));
        return after;
    }
    static GamePlay* race() { return dynamic_cast<GamePlay*>(StateManager::getInstance()->currentScreen()); }
    static void pushFocus(Uint8 state, Uint8 gain)
    {
        SDL_Event event{SDL_ACTIVEEVENT};
        event.active.gain = gain;
        event.active.state = state;
        push(event);
    }
    static bool paused() { return StateManager::getInstance()->isPaused(); }

    Hand hand;
    ScriptedPlayer player{hand, [this] { return application->step(); }};
};

} // namespace

TEST_F(ComfortsTest, APausedRaceStandsStillAndAClickGoesOnWithTheSameRace)
{
    raceFor(30);
    const std::vector<std::string> unpaused = snapshots(90);

    raceFor(30);
    const std::string held = RaceSnapshot::of(*race());
    const unsigned long stepsBefore = StateManager::getInstance()->stepsTaken();
    pushKey(SDLK_p);
    for (const std::string& step : snapshots(120))
        ASSERT_EQ(step, held) << "the runners, the wall and the pictures stand still while paused";
    EXPECT_TRUE(paused());
    EXPECT_EQ(StateManager::getInstance()->stepsTaken(), stepsBefore);

    // The click goes on; it is no click on the race (which would drop nothing and end nothing).
    Hand::mustPush(Hand::pushClick(500, 400));
    EXPECT_EQ(snapshots(90), unpaused);
    EXPECT_FALSE(paused());
}

TEST_F(ComfortsTest, TurningAwayPausesOnlyARaceAndAClickOnTheTitleOnlyGoesOn)
{
    // On the title only the key pauses; the click that goes on starts no race, even on the start area.
    pushFocus(SDL_APPINPUTFOCUS, 0);
    runQueued();
    EXPECT_FALSE(paused());
    pushKey(SDLK_p);
    runQueued();
    EXPECT_TRUE(paused());
    Hand::mustPush(Hand::pushClick(TitleScreen::startArea.middleX(), TitleScreen::startArea.middleY()));
    runQueued();
    EXPECT_FALSE(paused());
    EXPECT_EQ(screen(), StateManager::Title);

    // In a race (placement included): the pointer leaving the window is nothing; the keyboard's
    // focus lost, or the window minimised, pauses.
    player.startGame();
    pushFocus(SDL_APPMOUSEFOCUS, 0);
    pushFocus(SDL_APPINPUTFOCUS, 1);
    runQueued();
    EXPECT_FALSE(paused());
    for (Uint8 state : {SDL_APPINPUTFOCUS, SDL_APPACTIVE}) {
        StateManager::getInstance()->setPaused(false);
        pushFocus(state, 0);
        runQueued();
        EXPECT_TRUE(paused()) << "state " << int(state);
    }

    // Escape still leaves the race, and the title it goes to is not paused.
    pushKey(SDLK_ESCAPE);
    runQueued();
    EXPECT_EQ(screen(), StateManager::Title);
    EXPECT_FALSE(paused());
}

TEST_F(ComfortsTest, TheSoundKeyWithoutSoundSaysSoForTwoSeconds)
{
    pushKey(SDLK_m);
    player.frames(1);
    const Overlay& overlay = StateManager::getInstance()->getOverlay();
    EXPECT_EQ(overlay.notice(), "no sound");
    player.frames(Overlay::noticeSteps - 2);
    EXPECT_EQ(overlay.notice(), "no sound");
    player.frames(1);
    EXPECT_EQ(overlay.notice(), "");
}
