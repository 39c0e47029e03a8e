// The files the game writes for the player, replaced whole so that a game killed at any moment
// leaves the old content or the new, never a mix or an empty file.
#pragma once

#include <string>

namespace PlayerFiles {

// Writes `content` to a temporary file beside `path`, flushes it to the disk and renames it over
// `path`, then hands it to PlayerStorage. False, with the reason in `error` and `path` untouched,
// when any of it fails.
bool replace(const std::string& path, const std::string& content, std::string& error);

} // namespace PlayerFiles
