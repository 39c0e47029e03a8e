// Ending screen: one still picture over the background; any click returns to the title.
#include "game/screens/EndingScreen.h"

#include "draw/Drawer.h"
#include "draw/assets/Images.h"
#include "game/screens/StateManager.h"

EndingScreen::EndingScreen()
    : background(Images::background_jpg, Images::background_jpg_length),
      ending(Images::ending_png, Images::ending_png_length)
{
}

void EndingScreen::render(Drawer* drawer) const
{
    background.get(drawer);
    ending.get(drawer);
    drawer->drawImage(background.id(), 0, 0);
    drawer->drawImage(ending.id(), 40, 0);
}

void EndingScreen::mouseMove(int, int) {}

void EndingScreen::mouseDown(int, int, int)
{
    StateManager::getInstance()->nextState();
}

void EndingScreen::mouseUp(int, int, int) {}
