// Where a path's root ends decides what may be cut off or made: nothing of "C:\" or "\\server\share".
#include "platform/windows/WindowsPath.h"

namespace {

bool isSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool hasDrive(const std::string& path)
{
    return path.size() >= 2 && path[1] == ':' &&
           ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

// The length of the root: "C:\" 3, "C:" 2, "\" 1, "\\server\share\" up to its last separator.
std::size_t rootLength(const std::string& path)
{
    if (hasDrive(path))
        return path.size() > 2 && isSeparator(path[2]) ? 3 : 2;
    if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) {
        // The server's and the share's names, and the separator after them.
        std::size_t at = 2;
        for (int part = 0; part < 2; ++part) {
            while (at < path.size() && !isSeparator(path[at]))
                ++at;
            if (at < path.size())
                ++at;
        }
        return at;
    }
    return !path.empty() && isSeparator(path[0]) ? 1 : 0;
}

} // namespace

namespace WindowsPath {

std::string folderOf(const std::string& path)
{
    const std::size_t root = rootLength(path);
    std::size_t end = path.size();
    while (end > root && !isSeparator(path[end - 1]))
        --end;
    // The separators before the last part go, unless they are the root's own.
    while (end > root && isSeparator(path[end - 1]))
        --end;
    return path.substr(0, end);
}

std::vector<std::string> foldersDownTo(const std::string& path)
{
    std::vector<std::string> folders;
    const std::size_t root = rootLength(path);
    for (std::size_t at = root; at < path.size();) {
        if (isSeparator(path[at])) {
            ++at;
            continue;
        }
        while (at < path.size() && !isSeparator(path[at]))
            ++at;
        folders.push_back(path.substr(0, at));
    }
    return folders;
}

bool isRelative(const std::string& path)
{
    return rootLength(path) == 0;
}

} // namespace WindowsPath
