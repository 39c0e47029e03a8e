// Turns window pixels into the 1024 by 768 virtual screen, through the picture the player sees:
// the drawn picture may be letterboxed, and clicks in the black bars clamp to its nearest edge.
#pragma once

#include "draw/PictureArea.h"

class MouseMapping {
public:
    MouseMapping() = default;
    MouseMapping(int windowWidth, int windowHeight);

    int mapX(int x) const;
    int mapY(int y) const;

private:
    float left = 0.0f;
    float top = 0.0f;
    float width = 1.0f;
    float height = 1.0f;
};
