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

TEST(BundlePath, TopFolderOfEachLayout)
{
    Folder beside;
    Folder elsewhere;
    Folder bare;
    Folder data;
    Folder empty;
    Folder root;
    beside.withBundle().withGame();
    fs::create_symlink(beside.file("brickwrath"), elsewhere.file("brickwrath"));
    bare.withGame();
    data.withBundle();
    // An installation staged under some root: <root>/bin/brickwrath and <root>/share/brickwrath.
    fs::create_directories(root.file("bin"));
    fs::create_directories(root.file("share/brickwrath/Contents/Resources/sounds"));
    std::ofstream(root.file("bin/brickwrath")) << "#!/bin/sh\n";
    const struct {
        std::string executable, dataFolder, expected;
    } cases[] = {
        {beside.file("brickwrath"), data.path(), beside.path()},
        {elsewhere.file("brickwrath"), data.path(), beside.path()},
        {bare.file("brickwrath"), data.path(), data.path()},
        // Neither has sounds: the executable's folder, so the game names the path it looked in.
        {bare.file("brickwrath"), empty.path(), bare.path()},
        {bare.file("brickwrath"), "", bare.path()},
        // An executable that cannot be found leaves only the data folder, or nothing.
        {bare.file("gone"), data.path(), data.path()},
        {bare.file("gone"), "", ""},
        // A relative data folder counts from the executable.
        {root.file("bin/brickwrath"), "../share/brickwrath", fs::canonical(root.file("share/brickwrath")).string()},
        {bare.file("brickwrath"), "../share/brickwrath", bare.path()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BundlePath::topFolderFor(c.executable, c.dataFolder), c.expected)
            << c.executable << ", " << c.dataFolder;
}
