// Reads the command-line flags the way the game always has: one independent scan per flag.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "app/Settings.h"

namespace CommandLine {

// Scans the arguments; "--help" anywhere prints the usage text and throws FatalError("\n").
// Messages about defaults go to `out`, one per line.
Settings parse(const std::vector<std::string>& args, std::ostream& out);

// The settings file's values, for a start without arguments: sizes the window cannot take are
// replaced as on the command line, and antialiasing below 1 is none.
Settings fromSettingsFile(Settings file, std::ostream& out);

void printUsage(std::ostream& out);

} // namespace CommandLine
