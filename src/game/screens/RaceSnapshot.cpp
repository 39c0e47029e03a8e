// The snapshot's lines, with every float written exactly (as its hexadecimal form).
#include "game/screens/RaceSnapshot.h"

#include <cstdio>

#include "game/race/Harry.h"
#include "game/race/Hurdle.h"
#include "game/race/Hurdler.h"
#include "game/race/Track.h"
#include "game/race/Wall.h"
#include "game/screens/GamePlay.h"
#include "game/traps/Trap.h"

namespace {

void line(std::string& out, const char* format, auto... values)
{
    char text[256];
    std::snprintf(text, sizeof text, format, values...);
    out += text;
    out += '\n';
}

void runner(std::string& out, const char* name, int number, const Hurdler& r)
{
    line(out, "%s %d: at %a %a speed %a jump %a next %a made %d trip %a immune %a slow %a %s%s picture %d", name,
         number, r.getX(), r.getY(), r.getSpeed(), r.getJumpLeft(), r.getNextJump(), r.getJumpsMade(), r.getTripLeft(),
         r.getImmuneLeft(), r.getSlowLeft(), r.isTripped() ? "tripped " : "", r.isCrushed() ? "crushed " : "",
         r.getFrame());
}

} // namespace

std::string RaceSnapshot::of(const GamePlay& race)
{
    std::string out;
    line(out, "points %d budget %d %s%s%s", race.getPoints(), race.getRaceBudget(), race.isPlacing() ? "placing " : "",
         race.isRaceOver() ? "over " : "", race.isHarryRace() ? "harry " : "");
    line(out, "wall at %a %a grind %d", race.getWall().getX(), race.getWall().getY(), race.getWall().getGrindDelay());
    for (int lane = 0; lane < Track::laneCount; ++lane)
        runner(out, "runner", lane, race.getRunner(lane));
    runner(out, "harry", race.getHarry().getLane(), race.getHarry());
    for (int number = 0; number < Track::hurdleCount; ++number) {
        const Hurdle& hurdle = race.getHurdle(number);
        line(out, "hurdle %d: at %d %d home %d %d %s%s", number, hurdle.getX(), hurdle.getY(), hurdle.getHomeX(),
             hurdle.getHomeY(), hurdle.isToppled() ? "toppled " : "", hurdle.isMoved() ? "moved" : "");
    }
    for (const auto& trap : race.getTraps())
        line(out, "trap in lane %d at %d %d %s effect %a", trap->getLane(), trap->getXPos(), trap->getYPos(),
             trap->isTriggered() ? "fired" : "set", trap->effectLeft());
    return out;
}

std::string RaceSnapshot::outcome(const GamePlay& race)
{
    std::string out;
    line(out, "points %d budget %d wall at %a %a", race.getPoints(), race.getRaceBudget(), race.getWall().getX(),
         race.getWall().getY());
    for (int lane = 0; lane < Track::laneCount; ++lane) {
        const Hurdler& runner = race.getRunner(lane);
        line(out, "runner %d: at %a %a %s%s", lane, runner.getX(), runner.getY(), runner.isTripped() ? "tripped " : "",
             runner.isCrushed() ? "crushed" : "");
    }
    const Harry& harry = race.getHarry();
    line(out, "harry: at %a %a %s%s", harry.getX(), harry.getY(), harry.isTripped() ? "tripped " : "",
         harry.isCrushed() ? "crushed" : "");
    for (int number = 0; number < Track::hurdleCount; ++number) {
        const Hurdle& hurdle = race.getHurdle(number);
        line(out, "hurdle %d: at %d %d %s", number, hurdle.getX(), hurdle.getY(), hurdle.isToppled() ? "toppled" : "");
    }
    for (const auto& trap : race.getTraps())
        line(out, "trap in lane %d at %d %d %s", trap->getLane(), trap->getXPos(), trap->getYPos(),
             trap->isTriggered() ? "fired" : "set");
    return out;
}

std::uint32_t RaceSnapshot::digest(const std::string& snapshot)
{
    std::uint32_t hash = 2166136261u;
    for (const char c : snapshot) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return hash;
}
