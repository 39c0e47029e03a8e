// Command-line scans. Numbers go through one shared text stream, so text an extraction leaves
// unread stays in front of the next value, as players who mistype a flag have always seen.
#include "app/CommandLine.h"

#include <sstream>

#include "app/FatalError.h"

namespace {

constexpr int defaultWidth = Settings().width;
constexpr int defaultHeight = Settings().height;
// The window size travels to the drawers as 16 bits, where a larger number would wrap round to a
// small or zero size; no OpenGL driver of ours draws into anything wider than this either.
constexpr int largestSize = 16384;

bool isFlag(const std::string& arg, const char* longForm, const char* shortForm)
{
    return arg == longForm || (shortForm != nullptr && arg == shortForm);
}

bool hasFlag(const std::vector<std::string>& args, const char* longForm, const char* shortForm)
{
    for (const std::string& arg : args)
        if (isFlag(arg, longForm, shortForm))
            return true;
    return false;
}

// Each occurrence of the flag reads the argument after it into `value`; returns whether the flag
// appeared at all (also as the last argument, with nothing to read).
bool scanNumber(const std::vector<std::string>& args, const char* longForm, const char* shortForm,
                std::stringstream& numbers, int& value)
{
    bool seen = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (!isFlag(args[i], longForm, shortForm))
            continue;
        seen = true;
        if (i + 1 >= args.size())
            break;
        ++i;
        numbers << args[i];
        int read = 0;
        if (numbers >> read)
            value = read;
        numbers.clear();
    }
    return seen;
}

// Sizes of zero or less would divide the mouse mapping by nothing: use the defaults instead.
// Sizes beyond the largest are brought down to it.
void applySizeDefaults(Settings& settings, std::ostream& out)
{
    if (settings.width > largestSize) {
        settings.width = largestSize;
        out << "Using largest width = " << largestSize << std::endl;
    }
    if (settings.height > largestSize) {
        settings.height = largestSize;
        out << "Using largest height = " << largestSize << std::endl;
    }
    if (settings.width <= 0) {
        settings.width = defaultWidth;
        out << "Using default width = " << defaultWidth << std::endl;
    }
    if (settings.height <= 0) {
        settings.height = defaultHeight;
        out << "Using default height = " << defaultHeight << std::endl;
    }
}

} // namespace

namespace CommandLine {

void printUsage(std::ostream& out)
{
    out << "\n"
        << "Brickwrath\n"
        << "\n"
        << "Usage:\n"
        << "Brickwrath -w [width] -h [height] -a [val] -f -ns -nm -s\n"
        << "\n"
        << "Flags:\n"
        << "--width [val] | -w [val]:\tSet the width of the window.\n"
        << "--height [val] | -h [val]:\tSet the height of the window.\n"
        << "--antialias [val] | -a [val]:\tSets the antialiasing level (2, 4, or 6).\n"
        << "--fullscreen | -f:\t\tSets whether to go fullscreen or not.\n"
        << "--nosound | -ns:\t\tSwitches off the sound output.\n"
        << "--nomusic | -nm:\t\tSwitches off the background music.\n"
        << "--sdl | -s:\t\tSwitches to the SDL drawing backend in favour of the OpenGL one.\n"
        << "--help:\t\t\t\tDisplay this help." << std::endl;
}

Settings parse(const std::vector<std::string>& args, std::ostream& out)
{
    if (hasFlag(args, "--help", nullptr)) {
        printUsage(out);
        throw FatalError("\n");
    }

    Settings settings;
    // A size not given counts as none at all, so that the player is told which default is used.
    settings.width = 0;
    settings.height = 0;
    std::stringstream numbers;
    scanNumber(args, "--width", "-w", numbers, settings.width);
    scanNumber(args, "--height", "-h", numbers, settings.height);
    applySizeDefaults(settings, out);
    settings.fullscreen = hasFlag(args, "--fullscreen", "-f");
    settings.noSound = hasFlag(args, "--nosound", "-ns");
    settings.noMusic = hasFlag(args, "--nomusic", "-nm");
    settings.softwareDrawer = hasFlag(args, "--sdl", "-s");
    if (scanNumber(args, "--antialias", "-a", numbers, settings.antialias) && settings.antialias <= 1) {
        settings.antialias = 2;
        out << "Using 2x antialiasing." << std::endl;
    }
    return settings;
}

Settings fromSettingsFile(Settings file, std::ostream& out)
{
    if (file.antialias < 1)
        file.antialias = 0;
    applySizeDefaults(file, out);
    return file;
}

} // namespace CommandLine
