// The game's one entry on every target: the arguments, the Application, and its frames handed to
// the platform's loop.
#pragma once

#include <string>
#include <vector>

// Runs the game with the arguments after the program's name. A failed start (FatalError) is
// reported; the game always ends with status 0.
int runGame(const std::vector<std::string>& args);
