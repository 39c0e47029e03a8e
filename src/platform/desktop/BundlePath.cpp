// Finds the bundle's top folder from /proc/self/exe, with the installed data folder as fallback.
#include "platform/BundlePath.h"

#include <sys/stat.h>

#include <climits>
#include <cstdlib>

#ifndef BRICKWRATH_DATA_DIR
#define BRICKWRATH_DATA_DIR ""
#endif
#ifndef BRICKWRATH_DATA_FROM_BINDIR
#define BRICKWRATH_DATA_FROM_BINDIR ""
#endif

namespace {

bool hasSoundsFolder(const std::string& top)
{
    struct stat info {};
    const std::string sounds = top + "/Contents/Resources/sounds";
    return stat(sounds.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

std::string BundlePath::topFolder()
{
    // An installed game looks beside itself first (bin/../share/brickwrath), so a staged (DESTDIR)
    // or moved installation works, then where the build said it would be installed.
    const std::string nearby = topFolderFor("/proc/self/exe", BRICKWRATH_DATA_FROM_BINDIR);
    if (hasSoundsFolder(nearby))
        return nearby;
    return topFolderFor("/proc/self/exe", BRICKWRATH_DATA_DIR);
}

std::string BundlePath::topFolderFor(const std::string& executable, const std::string& installedData)
{
    std::string folder;
    char resolved[PATH_MAX];
    if (realpath(executable.c_str(), resolved) != nullptr) {
        folder = resolved;
        const std::string::size_type slash = folder.rfind('/');
        folder = slash == std::string::npos ? std::string() : folder.substr(0, slash);
        if (folder.empty() && slash == 0)
            folder = "/";
    }
    if (!folder.empty() && hasSoundsFolder(folder))
        return folder;
    // A relative data folder is taken from the executable's folder.
    std::string data = installedData;
    if (!data.empty() && data[0] != '/' && !folder.empty()) {
        data = folder + "/" + installedData;
        if (realpath(data.c_str(), resolved) != nullptr)
            data = resolved;
    }
    if (!data.empty() && hasSoundsFolder(data))
        return data;
    return folder;
}
