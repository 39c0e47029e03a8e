// The per-user settings file: window size, antialiasing, full screen, sound, music and drawer.
#pragma once

#include <istream>
#include <string>

#include "app/Settings.h"

class ConfigLoader {
public:
    // Creates the settings folder and the default file when missing, and reads the file.
    ConfigLoader();
    // The defaults, then the settings lines of `in`; touches no file.
    explicit ConfigLoader(std::istream& in);

    // The settings folder, created (with every missing parent) when it does not exist.
    std::string getFilePath() const;
    // The settings folder's path, looked up only; the records file lives there too.
    static std::string folderPath();
    // Writes the default file, replacing any content.
    void createFile() const;
    // Reads settings lines from `in`; later lines override earlier ones.
    void read(std::istream& in);

    // The defaults, overridden by what the file says.
    const Settings& settings() const { return fromFile; }

    static constexpr std::size_t maxLineLength = 127;

private:
    Settings fromFile;
};
