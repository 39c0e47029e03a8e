// Windows paths taken apart as the platform files need them, in plain C++ so that the Linux tests
// check the rules: either slash separates, a drive ("C:\") or a share ("\\server\share\") is a root
// that is never made or cut off.
#pragma once

#include <string>
#include <vector>

namespace WindowsPath {

// The folder that holds `path`'s last part: "C:\Games\Brickwrath" for "C:\Games\Brickwrath\brickwrath.exe",
// "C:\" for "C:\brickwrath.exe", "" when there is no folder in it.
std::string folderOf(const std::string& path);

// Every folder from the top down to `path` itself, roots left out: "C:\a\b\" gives "C:\a" and
// "C:\a\b". Empty parts (doubled slashes) are skipped.
std::vector<std::string> foldersDownTo(const std::string& path);

// A path that names no drive or share and does not start at the current drive's top.
bool isRelative(const std::string& path);

} // namespace WindowsPath
