// What the player asked for at start: window, drawing back end, sound. Filled from the command
// line or, when there are no arguments, from the settings file.
#pragma once

struct LaunchSettings {
    int width = 0;
    int height = 0;
    int antialias = 0;
    bool fullscreen = false;
    bool noSound = false;
    bool noMusic = false;
    bool software = false;
};
