// Where the player's files live on this machine.
#pragma once

#include <string>

namespace HomeFolder {

// $HOME, or the password database's home directory when HOME is unset or empty.
std::string path();

// Creates every missing folder of `path` (mode 0755). Returns true when the folder exists
// afterwards; `created` tells whether this call made the last one.
bool makeFolders(const std::string& path, bool& created);

} // namespace HomeFolder
