// The race screen: trap placement before each race, the race itself with its collisions, and the
// click that scores a race and sets up the next one, until the budget runs out or Harry is crushed.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "draw/ImageSlot.h"
#include "game/ScreenArea.h"
#include "game/race/Harry.h"
#include "game/race/Hurdle.h"
#include "game/race/Hurdler.h"
#include "game/race/Track.h"
#include "game/race/Tray.h"
#include "game/race/Wall.h"
#include "game/screens/State.h"
#include "game/traps/Trap.h"

class GamePlay : public State {
public:
    static constexpr int startingBudget = 3;
    // A click inside it, edges left out, ends the placement and starts the race.
    static constexpr ScreenArea goButtonArea{864, 650, 128, 92};
    // The pointer holds an item this far right of and below its corner.
    static constexpr int grabOffset = 15;

    GamePlay();
    ~GamePlay() override;

    // One step of the race when one is running, then of the traps' and the runners' pictures.
    void step() override;
    void render(Drawer* drawer) const override;
    void mouseMove(int x, int y) override;
    void mouseDown(int button, int x, int y) override;
    void mouseUp(int button, int x, int y) override;

    // Runners and hurdles back to their places in their lanes.
    void initHurdles();
    // One step's tests of the runners against hurdles, traps and the wall.
    void collisionDetection();

    // The lane whose trap line x + y = 663 + 62 * lane is nearest to a drop point; ties go to the
    // lower lane.
    static int laneForDrop(int x, int y);

    // What the screen holds, for checking a game as it is played.
    int getPoints() const { return points; }
    int getRaceBudget() const { return raceBudget; }
    bool isPlacing() const { return placing; }
    bool isRaceOver() const { return raceOver; }
    bool isHarryRace() const { return harryRace; }
    bool isFirstRace() const { return firstRace; }
    bool isSecondRace() const { return secondRace; }
    bool isHovering() const { return hover; }
    bool isDragging() const { return dragged != 0; }
    Wall& getWall() { return wall; }
    Hurdle& getHurdle(int number) { return hurdles[number]; }
    Hurdler& getRunner(int lane) { return runners[lane]; }
    Harry& getHarry() { return harry; }
    const Wall& getWall() const { return wall; }
    const Hurdle& getHurdle(int number) const { return hurdles[number]; }
    const Hurdler& getRunner(int lane) const { return runners[lane]; }
    const Harry& getHarry() const { return harry; }
    const std::vector<std::unique_ptr<Trap>>& getTraps() const { return traps; }

private:
    void loadImages(Drawer* drawer) const;
    void update();
    void drawPlacement(Drawer* drawer) const;
    void drawTexts(Drawer* drawer) const;
    void drawCursor(Drawer* drawer) const;
    bool pickFromTray(int x, int y);
    bool pickHurdle(int x, int y);
    void dropTrap(Trap* trap, int x, int y);
    // Tests one runner in one lane; true when it has finished (crushed or over the line).
    bool testRunner(Hurdler& runner, int lane);
    void endOfRaceClick();
    void setUpNextRace();

    ImageSlot background;
    ImageSlot track;
    ImageSlot arrowCursor;
    ImageSlot openHandCursor;
    ImageSlot closedHandCursor;
    int mouseX = 0;
    int mouseY = 0;
    bool hover = false;
    // 0 when nothing is dragged, else a 1-based index into the hurdles or the traps.
    int dragged = 0;
    bool draggingHurdle = true;
    bool placing = true;
    int points = startingBudget;
    int raceBudget = startingBudget;
    bool raceOver = false;
    ImageSlot goButton;
    Wall wall;
    std::array<Hurdle, Track::hurdleCount> hurdles;
    std::array<Hurdler, Track::laneCount> runners;
    std::vector<std::unique_ptr<Trap>> traps;
    Tray tray;
    bool firstRace = true;
    bool secondRace = false;
    bool harryRace = false;
    Harry harry;
};
