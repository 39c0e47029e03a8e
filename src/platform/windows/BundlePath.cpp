// The bundle on Windows is the folder the program was unpacked to: the zip holds the program with
// Contents\Resources\sounds beside it. GetModuleFileNameW names the program wherever it was started from.
#include "platform/BundlePath.h"

#include <windows.h>

#include <vector>

#include "platform/windows/WindowsPath.h"

namespace {

bool hasSoundsFolder(const std::string& top)
{
    const DWORD attributes = GetFileAttributesA((top + "\\Contents\\Resources\\sounds").c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string programPath()
{
    // Long paths are allowed beyond MAX_PATH: the buffer grows until the whole name fits.
    for (DWORD size = MAX_PATH;; size *= 2) {
        std::vector<wchar_t> wide(size);
        const DWORD length = GetModuleFileNameW(nullptr, wide.data(), size);
        if (length == 0)
            return "";
        if (length < size) {
            const int bytes =
                WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(length), nullptr, 0, nullptr, nullptr);
            std::string path(static_cast<std::size_t>(bytes), '\0');
            WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(length), path.data(), bytes, nullptr, nullptr);
            return path;
        }
        if (size >= 32768)
            return "";
    }
}

} // namespace

std::string BundlePath::topFolder()
{
    // Nothing is installed elsewhere: the unpacked folder is the whole game.
    return topFolderFor(programPath(), "");
}

std::string BundlePath::topFolderFor(const std::string& executable, const std::string& installedData)
{
    const std::string folder = WindowsPath::folderOf(executable);
    if (!folder.empty() && hasSoundsFolder(folder))
        return folder;
    std::string data = installedData;
    if (!data.empty() && WindowsPath::isRelative(data) && !folder.empty())
        data = folder + "\\" + installedData;
    if (!data.empty() && hasSoundsFolder(data))
        return data;
    return folder;
}
