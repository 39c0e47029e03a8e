// Finds the bundle's top folder from /proc/self/exe, with the installed data folder as fallback.
#include "platform/BundlePath.h"

#include <sys/stat.h>

#include <climits>
#include <cstdlib>

#ifndef BRICKWRATH_DATA_DIR
#define BRICKWRATH_DATA_DIR ""
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
        if (folder.empty() && slash == 0) {
            folder = "/";
        }
    }
    if (!folder.empty() && hasSoundsFolder(folder)) {
        return folder;
    }
    if (!installedData.empty() && hasSoundsFolder(installedData)) {
        return installedData;
    }
    return folder;
}
