// Title screen: a click on the start area begins a race, the story picture opens the story.
#include "game/screens/TitleScreen.h"

#include <cstdint>
#include <vector>

#include "draw/Drawer.h"
#include "draw/assets/Images.h"
#include "game/screens/StateManager.h"

namespace {

struct StoryLine {
    std::int16_t y;
    const char* text;
};

// Lower case and drawn as stored; \x92 and \x85 (an apostrophe and an ellipsis from an old code
// page) have no glyph and leave blank cells.
const StoryLine storyLines[] = {
    {10, "you are wally the wall. you hate hurdlers. you have"},
    {35, "hated hurdlers ever since your girlfriend - tina the"},
    {60, "shopping trolley - ran off with a handsome, athletic,"},
    {85, "talented hurdler called harry.  at the time you were"},
    {110, "were too small to do anything - being little more"},
    {135, "than a bollard - but now you\x92re all grown up and"},
    {160, "determined to take your revenge on all the"},
    {185, "hurdlers of the world."},
    {235, "by going round to athletics tracks prior to a big"},
    {260, "race and setting traps, you can trip and crush the"},
    {285, "stupid handsome, athletic, talented hurdlers beneath"},
    {310, "your mighty bricks and make them pay.  and maybe"},
    {335, "you\x92ll be able to win tina back\x85"},
};

} // namespace

TitleScreen::TitleScreen()
    : background(Images::background_jpg, Images::background_jpg_length),
      title(Images::title_png, Images::title_png_length), story(Images::story_png, Images::story_png_length),
      cursor(Images::mousearrow_png, Images::mousearrow_png_length)
{
    // A title that follows a lost game tells of the record it beat, if any.
    if (const std::vector<std::string> beaten = Records::getInstance()->takeNews(); !beaten.empty())
        news = "new record! " + Records::joined(beaten);
}

void TitleScreen::step()
{
    // The hint counts down only while the title is in view; it fades in over its last 60 steps.
    shownBest = Records::getInstance()->best();
    if (showStory)
        return;
    hintAlpha = countdown <= 59 ? static_cast<float>(60 - countdown) / 60.0f * 0.75f : 0.0f;
    if (countdown > 0)
        --countdown;
}

void TitleScreen::render(Drawer* drawer) const
{
    background.get(drawer);
    title.get(drawer);
    cursor.get(drawer);
    story.get(drawer);

    drawer->drawImage(background.id(), 0, 0);
    if (showStory)
        drawStory(drawer);
    else
        drawTitle(drawer);
}

void TitleScreen::drawStory(Drawer* drawer) const
{
    for (const StoryLine& line : storyLines)
        drawer->drawText(line.text, 40, line.y, 18.0f, 0.0f, 0.0f, 0.0f, 0.75f);
    drawer->drawText("click to continue", 235, 680, 32.0f, 0.0f, 0.0f, 0.0f, 1.0f);
}

void TitleScreen::drawTitle(Drawer* drawer) const
{
    drawer->drawImage(title.id(), 0, 0);
    drawer->drawImage(story.id(), 444, 415);
    drawer->drawImage(cursor.id(), mouseX - 10, mouseY - 6);
    if (hintAlpha > 0.0f)
        drawer->drawText("escape to quit", 340, 720, 24.0f, 0.0f, 0.0f, 0.0f, hintAlpha);
    drawRecords(drawer);
}

void TitleScreen::drawRecords(Drawer* drawer) const
{
    // Both in the free band above the title's lettering, centred, a glyph being as wide as its
    // size: the records, and under them the news.
    const auto centred = [](const std::string& text) {
        return static_cast<std::int16_t>((1024 - static_cast<int>(text.size()) * 18) / 2);
    };
    if (const std::string line = recordsLine(); !line.empty())
        drawer->drawText(line, centred(line), 8, 18.0f, 0.0f, 0.0f, 0.0f, 0.75f);
    if (!news.empty())
        drawer->drawText(news, centred(news), 30, 18.0f, 0.0f, 0.0f, 0.0f, 1.0f);
}

void TitleScreen::mouseMove(int x, int y)
{
    mouseX = x;
    mouseY = y;
}

void TitleScreen::mouseDown(int, int x, int y)
{
    if (showStory) {
        showStory = false;
        return;
    }
    if (startArea.covers(x, y)) {
        StateManager::getInstance()->nextState();
        return;
    }
    if (storyArea.covers(x, y))
        showStory = true;
}

void TitleScreen::mouseUp(int, int, int) {}
