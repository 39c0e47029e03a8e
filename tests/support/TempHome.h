// A fresh temporary HOME for settings tests; the old HOME comes back when the object goes.
#pragma once

#include <string>

class TempHome {
public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    const std::string& path() const { return home; }
    std::string settingsFolder() const { return home + "/Library/Application Support/Tambrel"; }
    std::string settingsFile() const { return settingsFolder() + "/Tambrel.conf"; }

    static std::string readFile(const std::string& path);
    static void writeFile(const std::string& path, const std::string& content);

private:
    std::string home;
    std::string previous;
    bool hadPrevious = false;
};
