// Finding the bundle on Linux: beside the executable (through a symlink too), else the installed
// data folder, else the executable's folder so the messages name where the sounds were expected.
#include "platform/BundlePath.h"
#include "sound/BackgroundMusic.h"

#include "SoundFixtures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using SoundFixtures::ScratchFolder;

namespace {

std::string withoutSlash(const std::string& folder)
{
    return folder.substr(0, folder.size() - 1);
}

void makeBundle(const std::string& top)
{
    fs::create_directories(top + "/Contents/Resources/sounds");
}

} // namespace

TEST(BundlePath, ExecutableBesideItsSoundsIsTheTopFolderEvenThroughASymlink)
{
    ScratchFolder game;
    ScratchFolder elsewhere;
    ScratchFolder data;
    makeBundle(withoutSlash(game.path()));
    makeBundle(withoutSlash(data.path()));
    std::ofstream(game.file("brickwrath")) << "#!/bin/sh\n";
    fs::create_symlink(game.file("brickwrath"), elsewhere.file("brickwrath"));

    EXPECT_EQ(BundlePath::topFolderFor(game.file("brickwrath"), withoutSlash(data.path())), withoutSlash(game.path()));
    EXPECT_EQ(BundlePath::topFolderFor(elsewhere.file("brickwrath"), withoutSlash(data.path())),
              withoutSlash(game.path()));
}

TEST(BundlePath, InstalledDataStandsInWhenNoSoundsAreBesideTheExecutable)
{
    ScratchFolder game;
    ScratchFolder data;
    std::ofstream(game.file("brickwrath")) << "#!/bin/sh\n";
    makeBundle(withoutSlash(data.path()));
    EXPECT_EQ(BundlePath::topFolderFor(game.file("brickwrath"), withoutSlash(data.path())), withoutSlash(data.path()));

    // Neither has sounds: the executable's folder, so the game names the path it looked in.
    ScratchFolder empty;
    EXPECT_EQ(BundlePath::topFolderFor(game.file("brickwrath"), withoutSlash(empty.path())), withoutSlash(game.path()));
    EXPECT_EQ(BundlePath::topFolderFor(game.file("brickwrath"), ""), withoutSlash(game.path()));
    // An executable that cannot be found leaves only the data folder, or nothing.
    EXPECT_EQ(BundlePath::topFolderFor(game.file("gone"), withoutSlash(data.path())), withoutSlash(data.path()));
    EXPECT_EQ(BundlePath::topFolderFor(game.file("gone"), ""), "");
}

TEST(BundlePath, RelativeDataFolderCountsFromTheExecutable)
{
    // An installation staged under some root: <root>/bin/brickwrath and <root>/share/brickwrath.
    ScratchFolder root;
    fs::create_directories(root.file("bin"));
    makeBundle(root.file("share/brickwrath"));
    std::ofstream(root.file("bin/brickwrath")) << "#!/bin/sh\n";
    EXPECT_EQ(BundlePath::topFolderFor(root.file("bin/brickwrath"), "../share/brickwrath"),
              fs::canonical(root.file("share/brickwrath")).string());
    ScratchFolder bare;
    std::ofstream(bare.file("brickwrath")) << "#!/bin/sh\n";
    EXPECT_EQ(BundlePath::topFolderFor(bare.file("brickwrath"), "../share/brickwrath"), withoutSlash(bare.path()));
}

TEST(BundlePath, SoundsPathOfThisProgramIsBesideItsExecutable)
{
    // The build copies the sounds beside the test programs as it does beside the game.
    const std::string self = fs::canonical("/proc/self/exe").parent_path().string();
    EXPECT_EQ(BackgroundMusic::getSoundsPath(), self + "/Contents/Resources/sounds/");
}
