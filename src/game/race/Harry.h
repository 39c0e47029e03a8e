// Harry, the hurdler the wall wants revenge on: runs alone at a fixed speed of 8 in the final races
// and changes lanes at random every 64 units.
#pragma once

#include "game/race/Hurdler.h"

class Harry : public Hurdler {
public:
    Harry();

    void initPosition(int x, int y) override;
    void resetSpeed() override;
    void increaseSpeed() override;

    // Lanes moved outwards from the lane Harry started in, 0 to 7.
    int getLane() const { return lane; }
    float getNextLaneChange() const { return nextLaneChange; }

    // Harry's own random counter, seeded from the clock at start-up.
    static int randy;

protected:
    void afterAdvance(float distance) override;

private:
    int lane = 0;
    float nextLaneChange = 64.0f;
};
