// The player's folders on Windows: the profile, and the roaming application data, which follows a
// player from one machine of a domain to the next, for the settings and the records.
#include "platform/HomeFolder.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include "platform/windows/WindowsPath.h"

namespace {

// In the code page the C runtime's narrow file calls take, as the rest of the game opens files.
std::string narrow(const wchar_t* wide)
{
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return "";
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text.data(), size, nullptr, nullptr);
    text.resize(static_cast<std::size_t>(size - 1));
    return text;
}

std::string knownFolder(REFKNOWNFOLDERID id)
{
    PWSTR wide = nullptr;
    std::string folder;
    if (SHGetKnownFolderPath(id, 0, nullptr, &wide) == S_OK)
        folder = narrow(wide);
    CoTaskMemFree(wide);
    return folder;
}

bool isFolder(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace

namespace HomeFolder {

std::string path()
{
    return knownFolder(FOLDERID_Profile);
}

std::string settingsFolder()
{
    // Without a roaming folder (a broken profile) the settings go beside wherever the game runs.
    const std::string roaming = knownFolder(FOLDERID_RoamingAppData);
    return roaming.empty() ? "Tambrel" : roaming + "\\Tambrel";
}

bool makeFolders(const std::string& path, bool& created)
{
    created = false;
    if (isFolder(path))
        return true;
    for (const std::string& folder : WindowsPath::foldersDownTo(path))
        if (!isFolder(folder) && !CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    created = isFolder(path);
    return created;
}

} // namespace HomeFolder
