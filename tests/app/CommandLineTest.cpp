// Command-line scans: flags, numbers through the shared stream, defaults and their messages.
#include <gtest/gtest.h>

#include <sstream>

#include "app/CommandLine.h"
#include "app/FatalError.h"

namespace {

struct Parsed {
    Settings settings;
    std::string output;
};

Parsed parse(const std::vector<std::string>& args)
{
    std::ostringstream out;
    Parsed parsed;
    parsed.settings = CommandLine::parse(args, out);
    parsed.output = out.str();
    return parsed;
}

const char* const usage = "\n"
                          "Brickwrath\n"
                          "\n"
                          "Usage:\n"
                          "Brickwrath -w [width] -h [height] -a [val] -f -ns -nm -s\n"
                          "\n"
                          "Flags:\n"
                          "--width [val] | -w [val]:\tSet the width of the window.\n"
                          "--height [val] | -h [val]:\tSet the height of the window.\n"
                          "--antialias [val] | -a [val]:\tSets the antialiasing level (2, 4, or 6).\n"
                          "--fullscreen | -f:\t\tSets whether to go fullscreen or not.\n"
                          "--nosound | -ns:\t\tSwitches off the sound output.\n"
                          "--nomusic | -nm:\t\tSwitches off the background music.\n"
                          "--sdl | -s:\t\tSwitches to the SDL drawing backend in favour of the OpenGL one.\n"
                          "--help:\t\t\t\tDisplay this help.\n";

} // namespace

TEST(CommandLine, HelpAnywhereWinsPrintsUsageAndThrowsNewline)
{
    for (const auto& args : {std::vector<std::string>{"--help"}, std::vector<std::string>{"-w", "1024", "-f", "--help"},
                             std::vector<std::string>{"-s", "--help", "-a", "4"}}) {
        std::ostringstream out;
        try {
            CommandLine::parse(args, out);
            FAIL() << "--help must end start-up";
        } catch (const FatalError& error) {
            EXPECT_EQ(error.message(), "\n");
        }
        EXPECT_EQ(out.str(), usage);
    }
}

TEST(CommandLine, SizesFlagsAndShortForms)
{
    const Parsed parsed = parse({"-w", "1024", "--height", "768", "-f", "-ns", "--nomusic", "-s"});
    EXPECT_EQ(parsed.settings.width, 1024);
    EXPECT_EQ(parsed.settings.height, 768);
    EXPECT_TRUE(parsed.settings.fullscreen);
    EXPECT_TRUE(parsed.settings.noSound);
    EXPECT_TRUE(parsed.settings.noMusic);
    EXPECT_TRUE(parsed.settings.softwareDrawer);
    EXPECT_EQ(parsed.settings.antialias, 0);
    EXPECT_EQ(parsed.output, "");

    const Parsed longForms = parse({"--width", "640", "-h", "480", "--fullscreen", "--nosound", "-nm", "--sdl"});
    EXPECT_EQ(longForms.settings.width, 640);
    EXPECT_EQ(longForms.settings.height, 480);
    EXPECT_TRUE(longForms.settings.fullscreen && longForms.settings.noSound && longForms.settings.noMusic &&
                longForms.settings.softwareDrawer);
}

TEST(CommandLine, SizesAndAntialiasingFallBackWithTheirLines)
{
    const struct {
        std::vector<std::string> args;
        int width, height, antialias;
        bool fullscreen;
        const char* output;
    } cases[] = {
        // Flags are case-sensitive; unknown arguments leave the defaults.
        {{"--Width", "1024", "-F", "hello"},
         800,
         600,
         0,
         false,
         "Using default width = 800\nUsing default height = 600\n"},
        // A width flag as the last argument falls back, but the flags before it apply.
        {{"-f", "-h", "700", "-w"}, 800, 700, 0, true, "Using default width = 800\n"},
        {{"-w", "1024", "--width", "640", "-h", "600"}, 640, 600, 0, false, ""}, // the later value wins
        // "12abc" gives 12 and leaves "abc", which then spoils the height.
        {{"-w", "12abc", "-h", "700"}, 12, 600, 0, false, "Using default height = 600\n"},
        {{"-w", "-5", "-h", "0"}, 800, 600, 0, false, "Using default width = 800\nUsing default height = 600\n"},
        // 70000 would reach the drawer as 4464 and 65536 as 0.
        {{"-w", "70000", "-h", "65536"},
         16384,
         16384,
         0,
         false,
         "Using largest width = 16384\nUsing largest height = 16384\n"},
        {{"-w", "16384", "-h", "10000"}, 16384, 10000, 0, false, ""},
        {{"-w", "800", "-h", "600", "-a", "1"}, 800, 600, 2, false, "Using 2x antialiasing.\n"},
        {{"-w", "800", "-h", "600", "-a"}, 800, 600, 2, false, "Using 2x antialiasing.\n"},
        {{"-w", "800", "-h", "600", "--antialias", "8"}, 800, 600, 8, false, ""},
    };
    for (const auto& c : cases) {
        const Parsed parsed = parse(c.args);
        EXPECT_EQ(parsed.settings.width, c.width) << c.args[1];
        EXPECT_EQ(parsed.settings.height, c.height) << c.args[1];
        EXPECT_EQ(parsed.settings.antialias, c.antialias) << c.args[1];
        EXPECT_EQ(parsed.settings.fullscreen, c.fullscreen) << c.args[1];
        EXPECT_EQ(parsed.output, c.output) << c.args[1];
    }

    Settings file;
    file.width = 2000000000;
    std::ostringstream out;
    EXPECT_EQ(CommandLine::fromSettingsFile(file, out).width, 16384);
    EXPECT_EQ(out.str(), "Using largest width = 16384\n");
}

TEST(CommandLine, SettingsFilePathKeepsAntialiasOneAndRefusesBadSizes)
{
    Settings file;
    file.width = 0;
    file.height = 768;
    file.antialias = 1;
    file.fullscreen = true;
    file.noSound = true;
    file.noMusic = false;
    std::ostringstream out;
    const Settings settings = CommandLine::fromSettingsFile(file, out);
    EXPECT_EQ(settings.width, 800);
    EXPECT_EQ(settings.height, 768);
    EXPECT_EQ(settings.antialias, 1);
    EXPECT_TRUE(settings.fullscreen);
    EXPECT_TRUE(settings.noSound);
    EXPECT_FALSE(settings.noMusic);
    EXPECT_EQ(out.str(), "Using default width = 800\n");

    file.antialias = -3;
    EXPECT_EQ(CommandLine::fromSettingsFile(file, out).antialias, 0);
}
