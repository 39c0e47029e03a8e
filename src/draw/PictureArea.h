// The largest centred 4:3 area of a window, where the 1024 by 768 picture is shown.
#pragma once

struct PictureArea {
    int x = 0; // from the window's left edge, pixels
    int y = 0; // from the window's bottom edge, pixels (OpenGL's viewport convention)
    int width = 0;
    int height = 0;

    // The window's black bars take the rest; values truncated toward zero.
    static PictureArea fit(int windowWidth, int windowHeight);
};
