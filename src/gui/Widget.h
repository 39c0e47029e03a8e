// Mouse widgets. The window size they scale by is published by the Application at start-up.
#pragma once

class Widget {
public:
    static float screenWidth;
    static float screenHeight;
};
