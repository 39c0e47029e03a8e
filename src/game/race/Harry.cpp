// Harry runs like any hurdler, but at speed 8 and drifting from lane to lane.
#include "game/race/Harry.h"

#include <ctime>

#include "game/race/Track.h"

namespace {

constexpr float laneDecisionSpacing = 64.0f;
constexpr float laneSpacing = Track::laneSpacing;
constexpr int outermostLane = Track::laneCount - 1;

} // namespace

int Harry::randy = static_cast<int>(std::time(nullptr));

Harry::Harry()
{
    speed = 8.0f;
    randomDraw(randy); // unused, like a hurdler's second draw
}

void Harry::initPosition(int newX, int newY)
{
    Hurdler::initPosition(newX, newY);
    lane = 0;
    nextLaneChange = laneDecisionSpacing;
}

void Harry::resetSpeed()
{
    speed = randomDraw(randy) * 0.25f + 1.0f;
}

void Harry::increaseSpeed()
{
    speed = speed * (randomDraw(randy) * 0.075f + 1.0f);
}

void Harry::afterAdvance(float distance)
{
    nextLaneChange -= distance;
    if (nextLaneChange > 0.0f)
        return;
    nextLaneChange = laneDecisionSpacing;
    const bool outwards = randomDraw(randy) > 0.5f;
    // A lane is 31 across and 31 down, so Harry keeps his distance to the next hurdle.
    int change = 0;
    if (outwards)
        change = lane < outermostLane ? 1 : -1;
    else if (lane > 0)
        change = -1;
    lane += change;
    x += laneSpacing * static_cast<float>(change);
    y += laneSpacing * static_cast<float>(change);
}
