// Where the game's bundle is on Linux: the folder that holds the running executable, which carries
// Contents/Resources/ beside it, or the installed data folder when the files are not there.
#pragma once

#include <string>

class BundlePath {
public:
    // The bundle's top folder, without a trailing slash; "" when it cannot be found.
    static std::string topFolder();

    // The rule behind topFolder(), for any executable path (symlinks are followed) and data folder:
    // the executable's folder when it holds Contents/Resources/sounds, else the data folder when that
    // does, else the executable's folder. A relative data folder counts from the executable's folder.
    static std::string topFolderFor(const std::string& executable, const std::string& installedData);
};
