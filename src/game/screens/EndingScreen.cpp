// Ending screen: one still picture over the background, with the records the won game beat; any
// click returns to the title.
#include "game/screens/EndingScreen.h"

#include <cstdint>

#include "draw/Drawer.h"
#include "draw/assets/Images.h"
#include "game/Records.h"
#include "game/screens/StateManager.h"

EndingScreen::EndingScreen()
    : background(Images::background_jpg, Images::background_jpg_length),
      ending(Images::ending_png, Images::ending_png_length), news(Records::getInstance()->takeNews())
{
}

void EndingScreen::render(Drawer* drawer) const
{
    background.get(drawer);
    ending.get(drawer);
    drawer->drawImage(background.id(), 0, 0);
    drawer->drawImage(ending.id(), 40, 0);
    if (news.empty())
        return;
    // On the track at the picture's bottom right, clear of the wall, the trolley and Harry.
    drawer->drawText("new record!", 540, 626, 32.0f, 0.0f, 0.0f, 0.0f, 1.0f);
    std::int16_t y = 672;
    for (const std::string& line : news) {
        drawer->drawText(line, 540, y, 24.0f, 0.0f, 0.0f, 0.0f, 1.0f);
        y += 34;
    }
}

void EndingScreen::mouseMove(int, int) {}

void EndingScreen::mouseDown(int, int, int)
{
    StateManager::getInstance()->nextState();
}

void EndingScreen::mouseUp(int, int, int) {}
