// The runners' movement, jumps, effects and drawing. Every random choice goes through one hash of
// a counter, so a game replays exactly from the same counters.
#include "game/race/Hurdler.h"

#include <cstdint>
#include <ctime>

#include "draw/Drawer.h"
#include "draw/assets/Images.h"
#include "sound/Sounds.h"

namespace {

constexpr float firstJump = 88.0f;
constexpr float jumpSpacing = 64.0f;
constexpr float jumpLength = 24.0f;
constexpr int jumpsPerRace = 5;
constexpr float immunity = 16.0f;
constexpr float slowDistance = 160.0f;
constexpr float slowFactor = 0.0625f;
constexpr int animationDelay = 4;

} // namespace

int Hurdler::randy = static_cast<int>(std::time(nullptr));

SharedImageSlot Hurdler::running1(Images::hurdler1_png, Images::hurdler1_png_length);
SharedImageSlot Hurdler::running2(Images::hurdler2_png, Images::hurdler2_png_length);
SharedImageSlot Hurdler::jumpingImage(Images::jumping_png, Images::jumping_png_length);
SharedImageSlot Hurdler::trippedImage(Images::tripped_png, Images::tripped_png_length);
SharedImageSlot Hurdler::dead(Images::dead_png, Images::dead_png_length);

Hurdler::Hurdler() : speed(randomDraw(randy) * 0.25f + 1.0f)
{
    randomDraw(randy); // one more draw, unused: it keeps the sequence of every replay
}

float Hurdler::randomDraw(int& counter)
{
    // 32-bit arithmetic that wraps: unsigned, so the wrap is defined.
    const std::uint32_t n = static_cast<std::uint32_t>(counter) + 1u;
    counter = static_cast<int>(n);
    const std::uint32_t m = (n << 13) ^ n;
    const std::uint32_t v = (m * (m * m * 15731u + 789221u) + 1376312589u) & 0x7fffffffu;
    const float r = static_cast<float>(1.0 - static_cast<double>(v) / 1073741824.0);
    return (r + 1.0f) * 0.5f;
}

void Hurdler::initPosition(int newX, int newY)
{
    x = static_cast<float>(newX);
    y = static_cast<float>(newY);
    jumpLeft = 0.0f;
    tripLeft = 0.0f;
    immuneLeft = 0.0f;
    slowLeft = 0.0f;
    nextJump = firstJump;
    jumpsMade = 0;
    tripped = false;
    crushed = false;
    lifted = false;
}

float Hurdler::step() const
{
    return slowLeft > 0.0f ? speed * slowFactor : speed;
}

void Hurdler::move()
{
    if (crushed)
        return;
    const float distance = step();
    if (slowLeft > 0.0f)
        slowLeft -= speed;
    if (immuneLeft > 0.0f)
        immuneLeft -= speed;
    if (tripped) {
        tripLeft -= distance;
        if (tripLeft <= 0.0f) {
            immuneLeft = immunity;
            tripped = false;
        }
        return;
    }
    x += distance;
    y -= distance;
    afterAdvance(distance);
    // The hurdles of a lane are laid out to this rhythm; after the fifth there are none left.
    if (jumpsMade < jumpsPerRace) {
        nextJump -= distance;
        if (nextJump <= 0.0f) {
            ++jumpsMade;
            nextJump = jumpSpacing;
            jumpLeft = jumpLength;
            Sounds::getInstance()->playSound(Sounds::Jump);
        }
    }
}

void Hurdler::resetSpeed()
{
    speed = randomDraw(randy) * 0.25f + 1.0f;
}

void Hurdler::increaseSpeed()
{
    speed = speed * (randomDraw(randy) * 0.075f + 1.0f);
}

void Hurdler::decreaseSpeed()
{
    slowLeft = slowDistance;
}

int Hurdler::getXPos() const
{
    return static_cast<int>(x);
}

int Hurdler::getYPos() const
{
    return static_cast<int>(y);
}

bool Hurdler::isJumping() const
{
    return jumpLeft > 0.0f;
}

void Hurdler::knockDown(float distance)
{
    // A runner already down is knocked down afresh; only one that has just got up is shielded.
    tripped = true;
    tripLeft = distance;
}

void Hurdler::trip()
{
    if (immuneLeft > 0.0f)
        return;
    knockDown(160.0f);
    Sounds::getInstance()->playSound(Sounds::Trip);
}

void Hurdler::scare()
{
    if (immuneLeft <= 0.0f)
        knockDown(256.0f);
}

void Hurdler::boing()
{
    if (immuneLeft <= 0.0f)
        knockDown(384.0f);
}

void Hurdler::biffo()
{
    x -= 75.0f;
    y += 50.0f;
    nextJump += 75.0f;
    if (nextJump > jumpSpacing) {
        // Knocked back behind the point of its last jump: it jumps again at once, finishing
        // what was left of that jump when it was still in the air there.
        const float behind = nextJump - jumpSpacing;
        if (behind < jumpLength)
            jumpLeft = behind;
        --jumpsMade;
        nextJump = 0.0f;
    }
}

bool Hurdler::isTripped() const
{
    return tripped;
}

void Hurdler::crush()
{
    if (!crushed)
        Sounds::getInstance()->playSound(Sounds::Die);
    crushed = true;
}

bool Hurdler::isCrushed() const
{
    return crushed;
}

void Hurdler::animate()
{
    lifted = jumpLeft > 0.0f;
    if (lifted)
        jumpLeft -= step();
    shownFrame = frame;
    if (tripped)
        return;
    if (frameDelay == 0) {
        frameDelay = animationDelay;
        frame = 1 - frame;
    } else {
        --frameDelay;
    }
}

void Hurdler::draw(Drawer* drawer) const
{
    running1.get(drawer);
    running2.get(drawer);
    dead.get(drawer);
    trippedImage.get(drawer);
    jumpingImage.get(drawer);

    const int yd = static_cast<int>(y) - (lifted ? 32 : 0);
    std::uint32_t image = 0;
    int yImage = yd;
    if (crushed) {
        image = dead.id();
        yImage = yd + 15;
    } else if (tripped) {
        image = trippedImage.id();
        yImage = yd + 15;
    } else if (jumpLeft > 0.0f) {
        image = jumpingImage.id();
    } else {
        image = shownFrame == 0 ? running1.id() : running2.id();
    }
    drawer->drawImage(image, static_cast<int>(x), yImage);
}
