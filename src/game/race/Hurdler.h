// A hurdler: runs diagonally up its lane at its own speed, jumps on a fixed rhythm of distance,
// and can be tripped, scared, bounced, knocked back, slowed and crushed.
#pragma once

#include "draw/ImageSlot.h"

class Drawer;

class Hurdler {
public:
    Hurdler();
    virtual ~Hurdler() = default;
    Hurdler(const Hurdler&) = delete;
    Hurdler& operator=(const Hurdler&) = delete;

    // Puts the runner at its start and clears its race; speed and animation are kept.
    virtual void initPosition(int x, int y);
    // One step of running.
    virtual void move();
    virtual void resetSpeed();
    // After every race: a little faster, by a random factor between 1 and 1.075.
    virtual void increaseSpeed();
    // Mud: a sixteenth of the pace for the next 160 units of speed.
    virtual void decreaseSpeed();
    virtual int getXPos() const;
    virtual int getYPos() const;
    virtual bool isJumping() const;
    virtual void trip();
    virtual void scare();
    virtual void boing();
    // Knocked 75 back down the track, jumping again at once if that puts it behind a jump point.
    virtual void biffo();
    virtual bool isTripped() const;
    virtual void crush();
    virtual bool isCrushed() const;
    // The rest of the runner's step while it is on the track, after the collision tests: a jump
    // in progress counts down, and the running picture changes every fifth step.
    void animate();
    // Draws the runner as the last step left it.
    void draw(Drawer* drawer) const;

    // The runners' random draw: advances `counter` by one and hashes it to a float in (0, 1].
    static float randomDraw(int& counter);

    // Seeded from the clock at start-up; tests set it to replay a game exactly.
    static int randy;

    // Every runner's pictures, Harry's too: decoded and loaded once.
    static SharedImageSlot running1;
    static SharedImageSlot running2;
    static SharedImageSlot jumpingImage;
    static SharedImageSlot trippedImage;
    static SharedImageSlot dead;

    // The runner's state, for the race screen's tests and for checking a race.
    float getX() const { return x; }
    float getY() const { return y; }
    float getSpeed() const { return speed; }
    float getJumpLeft() const { return jumpLeft; }
    float getNextJump() const { return nextJump; }
    int getJumpsMade() const { return jumpsMade; }
    float getTripLeft() const { return tripLeft; }
    float getImmuneLeft() const { return immuneLeft; }
    float getSlowLeft() const { return slowLeft; }
    int getFrame() const { return frame; }
    // Lets a test run a runner at a pace whose steps add up exactly.
    void setSpeed(float newSpeed) { speed = newSpeed; }

protected:
    // The distance covered this step: a sixteenth while slowed.
    float step() const;
    // Runs after the runner has advanced and before the jump test; Harry changes lanes here.
    virtual void afterAdvance(float) {}
    void knockDown(float distance);

    int frame = 0;
    int frameDelay = 4;
    // What the last step shows: the running picture, and whether the runner is drawn lifted (the
    // last step of a jump still is).
    int shownFrame = 0;
    bool lifted = false;
    float x = 105.0f;
    float y = 425.0f;
    float speed = 1.0f;
    float jumpLeft = 0.0f;
    float nextJump = 88.0f;
    int jumpsMade = 0;
    bool tripped = false;
    float tripLeft = 0.0f;
    float immuneLeft = 0.0f;
    bool crushed = false;
    float slowLeft = 0.0f;
};
