// Where the player's files live on this machine.
#pragma once

#include <string>

namespace HomeFolder {

// $HOME, or the password database's home directory when HOME is unset or empty; on Windows the
// user's profile folder.
std::string path();

// The folder of the settings file and the records beside it: "<home>/Library/Application
// Support/Tambrel" where the game has always kept them, "%APPDATA%\Tambrel" on Windows.
std::string settingsFolder();

// Creates every missing folder of `path` (mode 0755 where there are modes). Returns true when the folder exists
// afterwards; `created` tells whether this call made the last one.
bool makeFolders(const std::string& path, bool& created);

} // namespace HomeFolder
