// Where the player's files outlive the program: the disk on the desktop, the site's storage in
// the browser (each target has its own PlayerStorage.cpp).
#pragma once

namespace PlayerStorage {

// Hands what was just written in the settings folder to that storage: nothing more on the
// desktop, whose disk already holds it.
void keep();

} // namespace PlayerStorage
