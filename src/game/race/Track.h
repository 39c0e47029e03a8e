// The track's geometry in virtual screen units: eight lanes running diagonally up the screen, each
// 31 right of and 31 below the one before, the runners' start, the hurdles and the finish line.
#pragma once

namespace Track {

constexpr int laneCount = 8;
constexpr int laneSpacing = 31;
// Along a lane x + y stays the same, and it grows by this much from one lane to the next.
constexpr int laneLineStep = 2 * laneSpacing;

// Lane 0's start and finish; every other lane's are shifted by the lane spacing on both axes.
constexpr int runnerStartX = 192;
constexpr int runnerStartY = 422;
constexpr int finishX = 580; // a runner at or beyond it has finished

// Lane 0's hurdles, the first nearest the start and each next one further up the lane.
constexpr int hurdlesPerLane = 5;
constexpr int hurdleCount = laneCount * hurdlesPerLane;
constexpr int firstHurdleX = 288;
constexpr int firstHurdleY = 326;
constexpr int hurdleSpacingX = 64;
constexpr int hurdleSpacingY = 62;

// The wall's front edge meets lane 0 this far right of the wall's x.
constexpr int wallEdgeOffset = 19;

// A trap dropped at (x, y) goes to the lane whose line x + y = 663 + 62 * lane is nearest; its corner
// then goes to y = 648 + 62 * lane - x, on the line x + y = 633 + 62 * lane.
constexpr int dropLineOffset = 663;
constexpr int trapLineOffset = 648;

} // namespace Track
