// The player's records file, "Tambrel.records" beside the settings file: two lines, "crushed N"
// and "races N", read at start-up and written whole whenever a record is beaten. The settings
// file is never written for them: the game does not rewrite what the player may have edited.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "game/Records.h"

class RecordsFile {
public:
    // The player's file, in the settings folder.
    RecordsFile();
    explicit RecordsFile(std::string path);

    // The records the file holds. None for a missing file; none, with one line on `out` saying
    // so, for a file that cannot be read or is not one the game wrote (it is replaced at the next
    // record).
    Records::Best load(std::ostream& out) const;
    // Replaces the file with these records, or says in one line on `out` that it could not.
    bool save(const Records::Best& best, std::ostream& out) const;

    const std::string& path() const { return file; }

    // The records in `text`, when it is exactly what format writes for values in range.
    static std::optional<Records::Best> parse(const std::string& text);
    static std::string format(const Records::Best& best);

    // No game crushes a million runners or takes a million races; a larger number is damage.
    static constexpr int largest = 999999;
    // A longer file is none of ours, and is not read to its end.
    static constexpr std::size_t longestFile = 64;

private:
    std::string file;
};
