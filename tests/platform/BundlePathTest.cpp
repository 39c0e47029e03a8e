// Finding the bundle on Linux: beside the executable (through a symlink too), else the installed
// data folder, else the executable's folder so the messages name where the sounds were expected.
#include "platform/BundlePath.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/TempHome.h"

namespace fs = std::filesystem;

namespace {

// A folder of its own; HOME points at it for a while, which nothing here reads.
struct Folder : TempHome {
    std::string file(const std::string& name) const { return path() + "/" + name; }
    const Folder& withBundle() const
    {
        fs::create_directories(path() + "/Contents/Resources/sounds");
        return *this;
    }
    const Folder& withGame() const
    {
        std::ofstream(file("brickwrath")) << "#!/bin/sh\n";
        return *this;
    }
};

} // namespace

TEST(BundlePath, ExecutableBesideItsSoundsIsTheTopFolderEvenThroughASymlink)
{
    Folder game;
    Folder elsewhere;
    Folder data;
    game.withBundle().withGame();
    data.withBundle();
    fs::create_symlink(game.file("brickwrath"), elsewhere.file("brickwrath"));

    EXPECT_EQ(BundlePath::topFolderFor(game.file("brickwrath"), data.path()), game.path());
    EXPECT_EQ(BundlePath::topFolderFor(elsewhere.file("brickwrath"), data.path()), game.path());
}

TEST(BundlePath, InstalledDataStandsInWhenNoSoundsAreBesideTheExecutable)
{
    Folder game;
    Folder data;
    game.withGame();
    data.withBundle();
    EXPECT_EQ(BundlePath::topFolderFor(game.file("brickwrath"), data.path()), data.path());

    // Neither has sounds: the executable's folder, so the game names the path it looked in.
    Folder empty;
    EXPECT_EQ(BundlePath::topFolderFor(game.file("brickwrath"), empty.path()), game.path());
    EXPECT_EQ(BundlePath::topFolderFor(game.file("brickwrath"), ""), game.path());
    // An executable that cannot be found leaves only the data folder, or nothing.
    EXPECT_EQ(BundlePath::topFolderFor(game.file("gone"), data.path()), data.path());
    EXPECT_EQ(BundlePath::topFolderFor(game.file("gone"), ""), "");
}

TEST(BundlePath, RelativeDataFolderCountsFromTheExecutable)
{
    // An installation staged under some root: <root>/bin/brickwrath and <root>/share/brickwrath.
    Folder root;
    fs::create_directories(root.file("bin"));
    fs::create_directories(root.file("share/brickwrath/Contents/Resources/sounds"));
    std::ofstream(root.file("bin/brickwrath")) << "#!/bin/sh\n";
    EXPECT_EQ(BundlePath::topFolderFor(root.file("bin/brickwrath"), "../share/brickwrath"),
              fs::canonical(root.file("share/brickwrath")).string());
    Folder bare;
    bare.withGame();
    EXPECT_EQ(BundlePath::topFolderFor(bare.file("brickwrath"), "../share/brickwrath"), bare.path());
}
