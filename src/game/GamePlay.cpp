// Race screen, first cut: the background only.
#include "game/GamePlay.h"

#include "draw/Drawer.h"
#include "draw/assets/Images.h"

GamePlay::GamePlay() : background(Images::background_jpg, Images::background_jpg_length) {}

void GamePlay::draw(Drawer* drawer)
{
    background.get(drawer);
    drawer->drawImage(background.id(), 0, 0, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f);
}

void GamePlay::mouseMove(int, int) {}
void GamePlay::mouseDown(int, int, int) {}
void GamePlay::mouseUp(int, int, int) {}
