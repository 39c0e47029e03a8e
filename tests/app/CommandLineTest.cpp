// Command-line scans: flags, numbers through the shared stream, defaults and their messages.
#include <gtest/gtest.h>

#include <sstream>

#include "app/CommandLine.h"
#include "app/FatalError.h"
#include "app/SettingsFields.h"

namespace {

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

TEST(CommandLine, FlagsSizesAndTheirFallBacks)
{
    const struct {
        std::vector<std::string> args;
        Settings expected;
        const char* output = "";
    } cases[] = {
        {{"-w", "1024", "--height", "768", "-f", "-ns", "--nomusic", "-s"},
         {.width = 1024, .height = 768, .fullscreen = true, .noSound = true, .noMusic = true, .softwareDrawer = true}},
        {{"--width", "640", "-h", "480", "--fullscreen", "--nosound", "-nm", "--sdl"},
         {.width = 640, .height = 480, .fullscreen = true, .noSound = true, .noMusic = true, .softwareDrawer = true}},
        // Flags are case-sensitive; unknown arguments leave the defaults.
        {{"--Width", "1024", "-F", "hello"}, {}, "Using default width = 800\nUsing default height = 600\n"},
        // A width flag as the last argument falls back, but the flags before it apply.
        {{"-f", "-h", "700", "-w"}, {.height = 700, .fullscreen = true}, "Using default width = 800\n"},
        {{"-w", "1024", "--width", "640", "-h", "600"}, {.width = 640}}, // the later value wins
        // "12abc" gives 12 and leaves "abc", which then spoils the height.
        {{"-w", "12abc", "-h", "700"}, {.width = 12}, "Using default height = 600\n"},
        {{"-w", "-5", "-h", "0"}, {}, "Using default width = 800\nUsing default height = 600\n"},
        // 70000 would reach the drawer as 4464 and 65536 as 0.
        {{"-w", "70000", "-h", "65536"},
         {.width = 16384, .height = 16384},
         "Using largest width = 16384\nUsing largest height = 16384\n"},
        {{"-w", "16384", "-h", "10000"}, {.width = 16384, .height = 10000}},
        {{"-w", "800", "-h", "600", "-a", "1"}, {.antialias = 2}, "Using 2x antialiasing.\n"},
        {{"-w", "800", "-h", "600", "-a"}, {.antialias = 2}, "Using 2x antialiasing.\n"},
        {{"-w", "800", "-h", "600", "--antialias", "8"}, {.antialias = 8}},
    };
    for (const auto& c : cases) {
        std::ostringstream out;
        EXPECT_EQ(fields(CommandLine::parse(c.args, out)), fields(c.expected)) << c.args[1];
        EXPECT_EQ(out.str(), c.output) << c.args[1];
    }
}

TEST(CommandLine, SettingsFilePathKeepsAntialiasOneAndRefusesBadSizes)
{
    std::ostringstream out;
    const Settings file{.width = 0, .height = 768, .antialias = 1, .fullscreen = true, .noSound = true};
    EXPECT_EQ(fields(CommandLine::fromSettingsFile(file, out)),
              fields(Settings{.height = 768, .antialias = 1, .fullscreen = true, .noSound = true}));
    EXPECT_EQ(out.str(), "Using default width = 800\n");

    EXPECT_EQ(CommandLine::fromSettingsFile(Settings{.antialias = -3}, out).antialias, 0);
    out.str("");
    EXPECT_EQ(CommandLine::fromSettingsFile(Settings{.width = 2000000000}, out).width, 16384);
    EXPECT_EQ(out.str(), "Using largest width = 16384\n");
}
