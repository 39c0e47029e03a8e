// The race screen: track layout, placement of traps and hurdles, the race step by step with its
// collision tests, drawing, and scoring between races.
#include "game/screens/GamePlay.h"

#include <cstdint>
#include <cstdlib>
#include <string>

#include "draw/Drawer.h"
#include "draw/assets/Images.h"
#include "game/GameCounter.h"
#include "game/Records.h"
#include "game/screens/StateManager.h"

namespace {

// The collision tests look this far ahead of a hurdle's or trap's x.
constexpr int reach = 5;

// The game's counters of what the player's records are made of.
const char* const crushedCounter = "Crushed";
const char* const racesCounter = "Races";

// The game is over: its counts go to the records.
void endGame(bool won)
{
    const GameCounter* counter = GameCounter::getInstance();
    Records::getInstance()->gameEnded(counter->getCount(crushedCounter), won, counter->getCount(racesCounter));
}

// Where a hurdle can be picked up: its picture's corner and a hurdle's size.
ScreenArea grabArea(const Hurdle& hurdle)
{
    return {hurdle.getX(), hurdle.getY(), Hurdle::width, Hurdle::height};
}

void drawWords(Drawer* drawer, const std::string& text, int x, int y, float size, float alpha)
{
    drawer->drawText(text, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), size, 0.0f, 0.0f, 0.0f, alpha);
}

} // namespace

GamePlay::GamePlay()
    : background(Images::background_jpg, Images::background_jpg_length),
      track(Images::track_png, Images::track_png_length),
      arrowCursor(Images::mousearrow_png, Images::mousearrow_png_length),
      openHandCursor(Images::mousehandopen_png, Images::mousehandopen_png_length),
      closedHandCursor(Images::mousehandclosed_png, Images::mousehandclosed_png_length),
      goButton(Images::gobutton_png, Images::gobutton_png_length)
{
    // A race screen is made only for a new game.
    GameCounter::getInstance()->reset();
    initHurdles();
    harry.initPosition(Track::runnerStartX, Track::runnerStartY);
}

// The traps go with the list; the screen's and the wall's pictures go back to the drawer with
// their slots, so memory stays flat however many races are played.
GamePlay::~GamePlay() = default;

void GamePlay::initHurdles()
{
    for (int lane = 0; lane < Track::laneCount; ++lane) {
        const int offset = Track::laneSpacing * lane;
        runners[lane].initPosition(Track::runnerStartX + offset, Track::runnerStartY + offset);
        for (int i = 0; i < Track::hurdlesPerLane; ++i) {
            Hurdle& hurdle = hurdles[Track::hurdlesPerLane * lane + i];
            hurdle.setLane(lane);
            hurdle.initPosition(Track::firstHurdleX + offset + Track::hurdleSpacingX * i,
                                Track::firstHurdleY + offset - Track::hurdleSpacingY * i);
        }
    }
}

int GamePlay::laneForDrop(int x, int y)
{
    int best = 0;
    for (int lane = 1; lane < Track::laneCount; ++lane) {
        // Strictly nearer only, so a tie keeps the lower lane.
        if (std::abs(Track::dropLineOffset + Track::laneLineStep * lane - (x + y)) <
            std::abs(Track::dropLineOffset + Track::laneLineStep * best - (x + y)))
            best = lane;
    }
    return best;
}

void GamePlay::mouseMove(int x, int y)
{
    mouseX = x;
    mouseY = y;
    if (!placing)
        return;
    if (dragged == 0) {
        if (points <= 0)
            return;
        hover = false;
        for (const Hurdle& hurdle : hurdles)
            if (grabArea(hurdle).holds(x, y))
                hover = true;
        return;
    }
    if (draggingHurdle)
        hurdles[dragged - 1].setPosition(x - grabOffset, y - grabOffset, false);
    else
        traps[dragged - 1]->setPosition(x - grabOffset, y - grabOffset);
}

void GamePlay::mouseDown(int, int x, int y)
{
    if (!placing) {
        endOfRaceClick();
        return;
    }
    // One thing at a time: a press while something is held neither picks up another item nor
    // starts the race, so nothing is ever left half-placed.
    if (dragged != 0)
        return;
    if (goButtonArea.holds(x, y)) {
        placing = false;
        return;
    }
    if (pickFromTray(x, y))
        return;
    if (points >= 1)
        pickHurdle(x, y);
}

bool GamePlay::pickFromTray(int x, int y)
{
    const Tray::Kind kind = Tray::kindAt(points, x, y);
    if (kind == Tray::KindCount)
        return false;
    std::unique_ptr<Trap> trap = Tray::create(kind, runners);
    trap->setPosition(x - grabOffset, y - grabOffset);
    traps.push_back(std::move(trap));
    draggingHurdle = false;
    dragged = static_cast<int>(traps.size());
    return true;
}

bool GamePlay::pickHurdle(int x, int y)
{
    for (int number = 0; number < Track::hurdleCount; ++number) {
        const Hurdle& hurdle = hurdles[number];
        if (grabArea(hurdle).holds(x, y)) {
            draggingHurdle = true;
            dragged = number + 1;
            return true;
        }
    }
    return false;
}

void GamePlay::mouseUp(int, int x, int y)
{
    if (!placing || dragged == 0)
        return;
    if (draggingHurdle) {
        if (hurdles[dragged - 1].setPosition(x - grabOffset, y - grabOffset, true))
            points -= 1;
    } else {
        dropTrap(traps[dragged - 1].get(), x, y);
    }
    dragged = 0;
    hover = false;
}

void GamePlay::dropTrap(Trap* trap, int x, int y)
{
    // The drop point only chooses the lane; the trap keeps its x and sits on that lane's line.
    const int lane = laneForDrop(x, y);
    trap->setLane(lane);
    trap->setPosition(x - grabOffset, Track::trapLineOffset + Track::laneLineStep * lane - x);
    points -= trap->getCost();
}

bool GamePlay::testRunner(Hurdler& runner, int lane)
{
    const int x = runner.getXPos();
    if (!runner.isJumping() && !runner.isTripped()) {
        for (int i = 0; i < Track::hurdlesPerLane; ++i) {
            Hurdle& hurdle = hurdles[Track::hurdlesPerLane * lane + i];
            // A toppled hurdle still stands in the lane.
            if (hurdle.getX() < x && x < hurdle.getX() + reach) {
                runner.trip();
                hurdle.topple();
                break;
            }
        }
        // The traps are looked at even when a hurdle has just tripped the runner. A trap that has
        // fired is passed over, so that a later one at the same spot still can.
        for (const std::unique_ptr<Trap>& trap : traps) {
            if (!trap->isTriggered() && trap->getLane() == lane && trap->getXPos() < x && x < trap->getXPos() + reach) {
                trap->trigger(&runner);
                break;
            }
        }
    }
    const int wallEdge = static_cast<int>(wall.getX()) + Track::wallEdgeOffset + Track::laneSpacing * lane;
    if (runner.getXPos() < wallEdge)
        runner.crush();
    for (int i = 0; i < Track::hurdlesPerLane; ++i) {
        Hurdle& hurdle = hurdles[Track::hurdlesPerLane * lane + i];
        if (hurdle.getX() < wallEdge)
            hurdle.topple();
    }
    return runner.isCrushed() || runner.getXPos() >= Track::finishX + Track::laneSpacing * lane;
}

void GamePlay::collisionDetection()
{
    if (harryRace) {
        // Harry is tested in whichever lane he has moved into.
        if (testRunner(harry, harry.getLane()))
            raceOver = true;
        return;
    }
    bool allFinished = true;
    for (int lane = 0; lane < Track::laneCount; ++lane)
        if (!testRunner(runners[lane], lane))
            allFinished = false;
    if (allFinished)
        raceOver = true;
}

void GamePlay::step()
{
    if (!placing && !raceOver)
        update();
    // What was drawn after the race's step before, in the order it was drawn: the traps' effects,
    // then the runners on the track, which stay hidden while traps are being placed.
    for (const std::unique_ptr<Trap>& trap : traps)
        trap->step();
    if (placing)
        return;
    if (harryRace)
        harry.animate();
    else
        for (Hurdler& runner : runners)
            runner.animate();
}

void GamePlay::update()
{
    // The race goes on to the end of this step even when the wall has just reached the end, so
    // a runner it catches now still counts.
    if (wall.move())
        raceOver = true;
    if (harryRace)
        harry.move();
    else
        for (Hurdler& runner : runners)
            runner.move();
    collisionDetection();
}

void GamePlay::loadImages(Drawer* drawer) const
{
    background.get(drawer);
    track.get(drawer);
    arrowCursor.get(drawer);
    openHandCursor.get(drawer);
    closedHandCursor.get(drawer);
    goButton.get(drawer);
    tray.loadImages(drawer);
}

void GamePlay::render(Drawer* drawer) const
{
    loadImages(drawer);

    drawer->drawImage(background.id(), 0, 0);
    drawer->drawImage(track.id(), 50, 40);
    if (placing)
        drawPlacement(drawer);
    for (const std::unique_ptr<Trap>& trap : traps)
        trap->draw(drawer, placing);
    for (const Hurdle& hurdle : hurdles)
        hurdle.draw(drawer);
    // The runners stay hidden while traps are being placed.
    if (!placing) {
        if (harryRace)
            harry.draw(drawer);
        else
            for (const Hurdler& runner : runners)
                runner.draw(drawer);
    }
    wall.draw(drawer);
    drawTexts(drawer);
    if (placing)
        drawCursor(drawer);
}

void GamePlay::drawPlacement(Drawer* drawer) const
{
    tray.draw(drawer, points);
    drawer->drawImage(goButton.id(), goButtonArea.x, goButtonArea.y);
}

void GamePlay::drawTexts(Drawer* drawer) const
{
    if (placing) {
        drawWords(drawer, "points remaining ", 0, 0, 32.0f, 1.0f);
        drawWords(drawer, std::to_string(points), 544, 0, 32.0f, 1.0f);
        if (firstRace) {
            drawWords(drawer, "drag hurdles", 715, 560, 24.0f, 0.8f);
            drawWords(drawer, "to trip hurdlers", 620, 600, 24.0f, 0.8f);
        } else if (secondRace && points > 3) {
            drawWords(drawer, "drag traps onto", 650, 520, 24.0f, 0.8f);
            drawWords(drawer, "track to trip", 700, 560, 24.0f, 0.8f);
            drawWords(drawer, "hurdlers", 820, 600, 24.0f, 0.8f);
        }
    }
    if (raceOver) {
        drawWords(drawer, "race over", 217, 352, 64.0f, 1.0f);
        drawWords(drawer, "click to continue", 235, 500, 32.0f, 1.0f);
    }
    if (harryRace) {
        drawWords(drawer, "thats harry", 715, 560, 24.0f, 0.8f);
        drawWords(drawer, "get him!", 740, 600, 24.0f, 0.8f);
    }
}

void GamePlay::drawCursor(Drawer* drawer) const
{
    std::uint32_t cursor = arrowCursor.id();
    if (dragged != 0)
        cursor = closedHandCursor.id();
    else if (hover)
        cursor = openHandCursor.id();
    drawer->drawImage(cursor, mouseX - 10, mouseY - 6);
}

void GamePlay::endOfRaceClick()
{
    if (!raceOver)
        return;
    traps.clear();
    GameCounter* counter = GameCounter::getInstance();
    counter->incrementCount(racesCounter, 1);
    if (!harryRace) {
        int crushedCount = 0;
        for (Hurdler& runner : runners) {
            runner.increaseSpeed();
            if (runner.isCrushed()) {
                ++raceBudget;
                ++crushedCount;
            }
        }
        counter->incrementCount(crushedCounter, crushedCount);
        if (crushedCount == 0) {
            --raceBudget;
            if (raceBudget == 0) {
                endGame(false);
                StateManager::getInstance()->nextState(); // the game is lost
                return;
            }
        }
        if (crushedCount == Track::laneCount)
            harryRace = true;
    } else {
        if (harry.isCrushed()) {
            counter->incrementCount(crushedCounter, 1);
            endGame(true);
            StateManager::getInstance()->cutScene(); // the game is won
            return;
        }
        harry.initPosition(Track::runnerStartX, Track::runnerStartY);
    }
    setUpNextRace();
}

void GamePlay::setUpNextRace()
{
    placing = true;
    raceOver = false;
    secondRace = firstRace;
    firstRace = false;
    // Every placement phase starts with empty hands; the traps held by index are gone.
    dragged = 0;
    initHurdles();
    wall.resetPosition();
    points = raceBudget;
    for (Hurdle& hurdle : hurdles)
        hurdle.unTopple();
}
