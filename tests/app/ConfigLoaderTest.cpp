// The settings file on a temporary HOME: creation, the default file, reading rules and damage.
#include <gtest/gtest.h>

#include <filesystem>
#include <pwd.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "app/ConfigLoader.h"
#include "app/SettingsFields.h"
#include "platform/HomeFolder.h"
#include "support/CaptureStdout.h"
#include "support/TempHome.h"

namespace {

const char* const defaultFile = "w 800\nh 600\na 0\nf 0\nns 0\nnm 0\nsdl 0\n";

ConfigLoader readText(const std::string& text)
{
    TempHome home;
    std::filesystem::create_directories(home.settingsFolder());
    TempHome::writeFile(home.settingsFile(), text);
    CaptureStdout quiet;
    return ConfigLoader();
}

} // namespace

TEST(ConfigLoader, FirstStartCreatesEveryFolderOnceAndWritesTheDefaultFileAgainSilentlyWhenDeleted)
{
    TempHome home;
    for (const std::string& created : {"Created directory " + home.settingsFolder() + "\n", std::string()}) {
        std::filesystem::remove(home.settingsFile());
        CaptureStdout output;
        const ConfigLoader config;
        EXPECT_EQ(output.text(), created);
        EXPECT_EQ(TempHome::readFile(home.settingsFile()), defaultFile);
        EXPECT_EQ(fields(config.settings()), fields(Settings{}));
    }
}

TEST(ConfigLoader, ReadingRules)
{
    const std::string junk = [] {
        std::string bytes;
        for (int i = 0; i < 4096; ++i)
            bytes.push_back(static_cast<char>((i * 131 + 7) % 256));
        return bytes;
    }();
    const struct {
        std::string text;
        Settings expected;
    } cases[] = {
        {"w 1024\nw 640\nh 768\na 4\nf 1\nns 1\nnm 1\nsdl 1\n", // the later value wins
         {.width = 640,
          .height = 768,
          .antialias = 4,
          .fullscreen = true,
          .noSound = true,
          .noMusic = true,
          .softwareDrawer = true}},
        // "width 1024": the value text starts with letters, so nothing is read. "hx 700" reads 700:
        // only the first letter counts. "nx 1" names nothing; "nsx1" reads from its fourth character.
        {"width 1024\nhx 700\nnx 1\nnsx1\nsoftware 1\nq 5\n\n", {.height = 700, .noSound = true}},
        // Unreadable values keep the previous one.
        {"f 2\nw abc\nh 700\nh\na 99999999999999\nns -1\n", {.height = 700}},
        // Lines longer than 127 characters are skipped whole; the last line needs no line end.
        {"w 1024" + std::string(200, ' ') + "\nh 700" + std::string(122, ' ') + "\nf 1",
         {.height = 700, .fullscreen = true}},
        {junk + "\nw 1280\n" + std::string("\0\0\0", 3), {.width = 1280}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fields(readText(c.text).settings()), fields(c.expected)) << c.text.substr(0, 40);
}

TEST(ConfigLoader, FolderInPlaceOfTheFileIsLeftAloneWithOneLine)
{
    TempHome home;
    std::filesystem::create_directories(home.settingsFile());
    CaptureStdout output;
    const ConfigLoader config;
    EXPECT_EQ(fields(config.settings()), fields(Settings{}));
    EXPECT_EQ(output.text(), "ConfigLoader: Could not read " + home.settingsFile() + ", using the default settings.\n");
    EXPECT_TRUE(std::filesystem::is_directory(home.settingsFile()));
}

TEST(ConfigLoader, UnreadableFileIsNotReplaced)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads files whatever their permissions";
    TempHome home;
    std::filesystem::create_directories(home.settingsFolder());
    TempHome::writeFile(home.settingsFile(), "w 1024\n");
    chmod(home.settingsFile().c_str(), 0);
    CaptureStdout output;
    const ConfigLoader config;
    EXPECT_EQ(fields(config.settings()), fields(Settings{}));
    EXPECT_NE(output.text().find("ConfigLoader: Could not read "), std::string::npos);
    chmod(home.settingsFile().c_str(), 0600);
    EXPECT_EQ(TempHome::readFile(home.settingsFile()), "w 1024\n");
}

TEST(ConfigLoader, FileWhereTheSettingsFolderBelongs)
{
    TempHome home;
    std::filesystem::create_directories(home.path() + "/Library/Application Support");
    TempHome::writeFile(home.settingsFolder(), "not a folder");
    CaptureStdout output;
    const ConfigLoader config;
    EXPECT_EQ(fields(config.settings()), fields(Settings{}));
    // The folder once, then the file that could not be made: nothing about reading a file never made.
    EXPECT_EQ(output.text(), "Could not create directory " + home.settingsFolder() + "\nCould not create " +
                                 home.settingsFile() + "\n");
    EXPECT_EQ(TempHome::readFile(home.settingsFolder()), "not a folder");
}

TEST(ConfigLoader, HomeUnsetOrEmptyFallsBackToThePasswordDatabase)
{
    TempHome home; // restores HOME afterwards
    const passwd* entry = getpwuid(getuid());
    ASSERT_NE(entry, nullptr);
    unsetenv("HOME");
    EXPECT_EQ(HomeFolder::path(), entry->pw_dir);
    setenv("HOME", "", 1);
    EXPECT_EQ(HomeFolder::path(), entry->pw_dir);
}
