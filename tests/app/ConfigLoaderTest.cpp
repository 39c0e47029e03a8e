// The settings file on a temporary HOME: creation, the default file, reading rules and damage.
#include <gtest/gtest.h>

#include <filesystem>
#include <pwd.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "app/ConfigLoader.h"
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

void expectDefaults(const ConfigLoader& config)
{
    EXPECT_EQ(config.settings().width, 800);
    EXPECT_EQ(config.settings().height, 600);
    EXPECT_EQ(config.settings().antialias, 0);
    EXPECT_FALSE(config.settings().fullscreen);
    EXPECT_FALSE(config.settings().noSound);
    EXPECT_FALSE(config.settings().noMusic);
    EXPECT_FALSE(config.settings().softwareDrawer);
}

} // namespace

TEST(ConfigLoader, FirstStartCreatesEveryFolderOnceAndWritesTheDefaultFile)
{
    TempHome home;
    CaptureStdout output;
    const ConfigLoader config;
    EXPECT_EQ(output.text(), "Created directory " + home.settingsFolder() + "\n");
    EXPECT_EQ(TempHome::readFile(home.settingsFile()), defaultFile);
    expectDefaults(config);
}

TEST(ConfigLoader, DeletedFileIsWrittenAgainSilently)
{
    TempHome home;
    {
        CaptureStdout quiet;
        ConfigLoader first;
    }
    std::filesystem::remove(home.settingsFile());
    CaptureStdout output;
    const ConfigLoader second;
    EXPECT_EQ(output.text(), "");
    EXPECT_EQ(TempHome::readFile(home.settingsFile()), defaultFile);
}

TEST(ConfigLoader, ValuesKeysAndOverrides)
{
    const ConfigLoader config = readText("w 1024\nw 640\nh 768\na 4\nf 1\nns 1\nnm 1\nsdl 1\n");
    EXPECT_EQ(config.settings().width, 640);
    EXPECT_EQ(config.settings().height, 768);
    EXPECT_EQ(config.settings().antialias, 4);
    EXPECT_TRUE(config.settings().fullscreen);
    EXPECT_TRUE(config.settings().noSound);
    EXPECT_TRUE(config.settings().noMusic);
    EXPECT_TRUE(config.settings().softwareDrawer);
}

TEST(ConfigLoader, OnlyTheFirstLettersNameTheKey)
{
    // "width 1024": the value text starts with letters, so nothing is read. "hx 700" reads 700:
    // only the first letter counts. "nx 1" names nothing; "nsx1" reads from its fourth character.
    const ConfigLoader config = readText("width 1024\nhx 700\nnx 1\nnsx1\nsoftware 1\nq 5\n\n");
    EXPECT_EQ(config.settings().width, 800);
    EXPECT_EQ(config.settings().height, 700);
    EXPECT_TRUE(config.settings().noSound);
    EXPECT_FALSE(config.settings().noMusic);
    EXPECT_FALSE(config.settings().softwareDrawer);
}

TEST(ConfigLoader, UnreadableValuesKeepThePreviousOne)
{
    const ConfigLoader config = readText("f 2\nw abc\nh 700\nh\na 99999999999999\nns -1\n");
    EXPECT_FALSE(config.settings().fullscreen);
    EXPECT_EQ(config.settings().width, 800);
    EXPECT_EQ(config.settings().height, 700);
    EXPECT_EQ(config.settings().antialias, 0);
    EXPECT_FALSE(config.settings().noSound);
}

TEST(ConfigLoader, HeightOnlyFileKeepsTheDefaultWidth)
{
    const ConfigLoader config = readText("h 768\n");
    EXPECT_EQ(config.settings().width, 800);
    EXPECT_EQ(config.settings().height, 768);
}

TEST(ConfigLoader, LinesLongerThan127CharactersAreSkippedWhole)
{
    const std::string longLine = "w 1024" + std::string(200, ' ') + "\n";
    const std::string exactly127 = "h 700" + std::string(122, ' ') + "\n";
    const ConfigLoader config = readText(longLine + exactly127 + "f 1");
    EXPECT_EQ(config.settings().width, 800);
    EXPECT_EQ(config.settings().height, 700);
    EXPECT_TRUE(config.settings().fullscreen) << "the last line needs no line end";
}

TEST(ConfigLoader, BinaryJunkIsIgnored)
{
    std::string junk;
    for (int i = 0; i < 4096; ++i)
        junk.push_back(static_cast<char>((i * 131 + 7) % 256));
    const ConfigLoader config = readText(junk + "\nw 1280\n" + std::string("\0\0\0", 3));
    EXPECT_EQ(config.settings().width, 1280);
}

TEST(ConfigLoader, FolderInPlaceOfTheFileIsLeftAloneWithOneLine)
{
    TempHome home;
    std::filesystem::create_directories(home.settingsFile());
    CaptureStdout output;
    const ConfigLoader config;
    expectDefaults(config);
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
    expectDefaults(config);
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
    expectDefaults(config);
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
