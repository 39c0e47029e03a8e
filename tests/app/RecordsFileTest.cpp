// The records file as the game reads and writes it: what it keeps, the files it refuses (each with
// one line and no records), and a folder it cannot write.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/RecordsFile.h"
#include "support/TempHome.h"

namespace {

class RecordsFileTest : public ::testing::Test {
protected:
    std::string path() const { return home.path() + "/Tambrel.records"; }
    // One line of output, or none.
    static int lines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

    TempHome home;
};

} // namespace

TEST_F(RecordsFileTest, WhatIsSavedLoadsBackAndAMissingFileIsNoRecordsWithoutAWord)
{
    const RecordsFile file(path());
    std::ostringstream out;
    EXPECT_EQ(file.load(out), Records::Best{});
    for (const Records::Best best : {Records::Best{12, 4}, Records::Best{3, 0}, Records::Best{999999, 999999}}) {
        ASSERT_TRUE(file.save(best, out));
        EXPECT_EQ(file.load(out), best);
    }
    EXPECT_EQ(TempHome::readFile(path()), "crushed 999999\nraces 999999\n");
    EXPECT_EQ(out.str(), "");
    // Nothing is left beside it, and the player's own file is the default path's name.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home.path()), {}), 1);
    EXPECT_EQ(RecordsFile().path(), home.settingsFolder() + "/Tambrel.records");
}

TEST_F(RecordsFileTest, DamagedFilesGiveOneLineAndNoRecordsAndAreReplacedAtTheNextRecord)
{
    const std::vector<std::pair<const char*, std::string>> damaged = {
        {"negative", "crushed -3\nraces 0\n"},
        {"huge", "crushed 1000000\nraces 0\n"},
        {"past int", "crushed 99999999999999999999\nraces 0\n"},
        {"trailing garbage", "crushed 12\nraces 4\nx"},
        {"a third line", "crushed 12\nraces 4\nraces 3\n"},
        {"empty", ""},
        {"binary", std::string("\0\xff\x13\x7f"
                               "crushed\0 1\n",
                               15)},
        {"missing line", "crushed 12\n"},
        {"missing newline", "crushed 12\nraces 4"},
        {"not a number", "crushed twelve\nraces 4\n"},
        {"leading zero", "crushed 012\nraces 4\n"},
        {"plus sign", "crushed +12\nraces 4\n"},
        {"lines swapped", "races 4\ncrushed 12\n"},
        {"windows line ends", "crushed 12\r\nraces 4\r\n"},
        {"a win in one race", "crushed 12\nraces 1\n"},
        {"a win with too few crushed", "crushed 8\nraces 2\n"},
        {"longer than any record", "crushed 12\nraces 4\n" + std::string(100, ' ')},
    };
    const RecordsFile file(path());
    for (const auto& [what, content] : damaged) {
        TempHome::writeFile(path(), content);
        std::ostringstream out;
        EXPECT_EQ(file.load(out), Records::Best{}) << what;
        EXPECT_EQ(lines(out.str()), 1) << what << ": " << out.str();
        EXPECT_NE(out.str().find("damaged"), std::string::npos) << what;
    }
    // Replaced whole at the next record.
    std::ostringstream out;
    ASSERT_TRUE(file.save({9, 2}, out));
    EXPECT_EQ(file.load(out), (Records::Best{9, 2}));
    EXPECT_EQ(out.str(), "");
}

TEST_F(RecordsFileTest, AFileThatCannotBeReadOrWrittenGivesOneLineAndTheOldFileStays)
{
    // Root reads whatever the permissions say: a folder where the file belongs cannot be read by
    // anyone.
    std::filesystem::create_directory(path());
    const RecordsFile file(path());
    std::ostringstream out;
    EXPECT_EQ(file.load(out), Records::Best{});
    EXPECT_EQ(lines(out.str()), 1);
    EXPECT_NE(out.str().find("Could not read"), std::string::npos) << out.str();
    std::filesystem::remove(path());

    // Nowhere to write: the temporary file's name taken by a folder, and a folder that is a file.
    ASSERT_TRUE(file.save({10, 3}, out));
    std::filesystem::create_directory(path() + ".new");
    out.str("");
    EXPECT_FALSE(file.save({20, 2}, out));
    EXPECT_EQ(lines(out.str()), 1);
    EXPECT_NE(out.str().find("Could not keep the records in " + path()), std::string::npos) << out.str();
    EXPECT_EQ(file.load(out), (Records::Best{10, 3})) << "the old records stay";

    out.str("");
    EXPECT_FALSE(RecordsFile(path() + "/Tambrel.records").save({20, 2}, out));
    EXPECT_EQ(lines(out.str()), 1) << out.str();
}
