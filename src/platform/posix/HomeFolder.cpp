// Home folder lookup and folder creation for the settings file.
#include "platform/HomeFolder.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace HomeFolder {

std::string path()
{
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0')
        return home;
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr)
        return entry->pw_dir;
    return "";
}

std::string settingsFolder()
{
    return path() + "/Library/Application Support/Tambrel";
}

namespace {

bool isFolder(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

bool makeFolders(const std::string& path, bool& created)
{
    created = false;
    if (isFolder(path))
        return true;
    // Walk the path from the top, making each folder that is missing.
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string prefix = path.substr(0, slash);
        if (!prefix.empty() && !isFolder(prefix)) {
            if (mkdir(prefix.c_str(), 0755) != 0 && errno != EEXIST)
                return false;
        }
        if (slash == std::string::npos)
            break;
    }
    created = isFolder(path);
    return created;
}

} // namespace HomeFolder
