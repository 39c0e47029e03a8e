// The per-user settings file: window size, antialiasing, full screen, sound, music and drawer.
#pragma once

#include <istream>
#include <string>

class ConfigLoader {
public:
    // Sets the defaults, creates the settings folder and the default file when missing, reads it.
    ConfigLoader();
    // The defaults, then the settings lines of `in`; touches no file.
    explicit ConfigLoader(std::istream& in);

    // The settings folder, created (with every missing parent) when it does not exist.
    std::string getFilePath() const;
    // Writes the default file, replacing any content.
    void createFile() const;
    // Reads settings lines from `in`; later lines override earlier ones.
    void read(std::istream& in);

    int width = 800;
    int height = 600;
    int antialias = 0;
    bool fullscreen = false;
    bool noSound = false;
    bool noMusic = false;
    bool softwareDrawer = false;

    static constexpr std::size_t maxLineLength = 127;
};
