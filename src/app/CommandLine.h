// Reads the command-line flags the way the game always has: one independent scan per flag.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "app/LaunchSettings.h"

class ConfigLoader;

namespace CommandLine {

// Scans the arguments; "--help" anywhere prints the usage text and throws FatalError("\n").
// Messages about defaults go to `out`, one per line.
LaunchSettings parse(const std::vector<std::string>& args, std::ostream& out);

// The settings file's values, for a start without arguments.
LaunchSettings fromSettingsFile(const ConfigLoader& config, std::ostream& out);

void printUsage(std::ostream& out);

} // namespace CommandLine
