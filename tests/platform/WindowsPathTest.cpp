// The Windows build's path rules, checked here on Linux: the program's folder (where its sounds
// are looked for) and the folders made for the settings file.
#include "platform/windows/WindowsPath.h"

#include <gtest/gtest.h>

using Folders = std::vector<std::string>;

TEST(WindowsPathTest, ProgramFolderIsCutAtEitherSlashAndKeepsItsRoot)
{
    EXPECT_EQ(WindowsPath::folderOf(R"(C:\Games\Brickwrath\brickwrath.exe)"), R"(C:\Games\Brickwrath)");
    EXPECT_EQ(WindowsPath::folderOf("C:/Games/Brickwrath/brickwrath.exe"), "C:/Games/Brickwrath");
    // Wine's and the C runtime's mixed paths.
    EXPECT_EQ(WindowsPath::folderOf(R"(Z:\tmp\game/Contents\x.ogg)"), R"(Z:\tmp\game/Contents)");
    EXPECT_EQ(WindowsPath::folderOf(R"(C:\Games\\brickwrath.exe)"), R"(C:\Games)");
    // "C:" alone would be the drive's current folder, not its top.
    EXPECT_EQ(WindowsPath::folderOf(R"(C:\brickwrath.exe)"), R"(C:\)");
    EXPECT_EQ(WindowsPath::folderOf(R"(\\server\share\brickwrath.exe)"), R"(\\server\share\)");
    EXPECT_EQ(WindowsPath::folderOf(R"(\\server\share\Games\brickwrath.exe)"), R"(\\server\share\Games)");
    EXPECT_EQ(WindowsPath::folderOf("brickwrath.exe"), "");
    EXPECT_EQ(WindowsPath::folderOf(""), "");
}

TEST(WindowsPathTest, FoldersToMakeStartBelowTheRoot)
{
    EXPECT_EQ(WindowsPath::foldersDownTo(R"(C:\Users\ann\AppData\Roaming\Tambrel)"),
              (Folders{R"(C:\Users)", R"(C:\Users\ann)", R"(C:\Users\ann\AppData)", R"(C:\Users\ann\AppData\Roaming)",
                       R"(C:\Users\ann\AppData\Roaming\Tambrel)"}));
    EXPECT_EQ(WindowsPath::foldersDownTo(R"(C:\a\b\)"), (Folders{R"(C:\a)", R"(C:\a\b)"}));
    EXPECT_EQ(WindowsPath::foldersDownTo(R"(C:\a\\b)"), (Folders{R"(C:\a)", R"(C:\a\\b)"}));
    // A share's server and name are no folders anyone can make.
    EXPECT_EQ(WindowsPath::foldersDownTo(R"(\\server\share\Tambrel)"), (Folders{R"(\\server\share\Tambrel)"}));
    EXPECT_EQ(WindowsPath::foldersDownTo("Tambrel/records"), (Folders{"Tambrel", "Tambrel/records"}));
    EXPECT_TRUE(WindowsPath::foldersDownTo(R"(C:\)").empty());
    EXPECT_TRUE(WindowsPath::foldersDownTo(R"(\\server\share)").empty());
}

TEST(WindowsPathTest, OnlyAPathWithoutDriveShareOrTopIsRelative)
{
    EXPECT_TRUE(WindowsPath::isRelative("Tambrel"));
    EXPECT_TRUE(WindowsPath::isRelative(R"(..\share\brickwrath)"));
    EXPECT_FALSE(WindowsPath::isRelative(R"(C:\Games)"));
    EXPECT_FALSE(WindowsPath::isRelative("c:/games"));
    EXPECT_FALSE(WindowsPath::isRelative("C:Games"));
    EXPECT_FALSE(WindowsPath::isRelative(R"(\Games)"));
    EXPECT_FALSE(WindowsPath::isRelative(R"(\\server\share)"));
    // A colon elsewhere is no drive.
    EXPECT_TRUE(WindowsPath::isRelative("1:2"));
}
