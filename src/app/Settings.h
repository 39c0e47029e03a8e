// What the player asked for at start: window, drawing back end, sound. Read from the settings file
// or the command line; the defaults below are the game's only ones.
#pragma once

#include <ostream>

struct Settings {
    int width = 800;
    int height = 600;
    int antialias = 0;
    bool fullscreen = false;
    bool noSound = false;
    bool noMusic = false;
    bool softwareDrawer = false;

    // One "key value" line per setting, as the settings file holds them.
    void write(std::ostream& out) const;
};
