// The records file's strict format: a file is taken only when it reads back exactly as the game
// writes it, so a damaged one counts as no records instead of as odd ones.
#include "app/RecordsFile.h"

#include <fstream>

#include "app/ConfigLoader.h"
#include "platform/FileStatus.h"
#include "platform/PlayerFiles.h"

namespace {

const char* const fileName = "/Tambrel.records";

// A number as format writes it: digits only, no sign or leading zero, at most `largest`. Moves
// `at` past it.
std::optional<int> number(const std::string& text, std::size_t& at)
{
    const std::size_t start = at;
    long long value = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' && at - start < 7)
        value = value * 10 + (text[at++] - '0');
    const std::size_t digits = at - start;
    if (digits == 0 || (digits > 1 && text[start] == '0') || value > RecordsFile::largest)
        return std::nullopt;
    return static_cast<int>(value);
}

bool literal(const std::string& text, std::size_t& at, const std::string& word)
{
    if (text.compare(at, word.size(), word) != 0)
        return false;
    at += word.size();
    return true;
}

} // namespace

RecordsFile::RecordsFile() : RecordsFile(ConfigLoader::folderPath() + fileName) {}

RecordsFile::RecordsFile(std::string path) : file(std::move(path)) {}

std::optional<Records::Best> RecordsFile::parse(const std::string& text)
{
    std::size_t at = 0;
    if (!literal(text, at, "crushed "))
        return std::nullopt;
    const std::optional<int> crushed = number(text, at);
    if (!crushed || !literal(text, at, "\nraces "))
        return std::nullopt;
    const std::optional<int> races = number(text, at);
    if (!races || !literal(text, at, "\n") || at != text.size())
        return std::nullopt;
    // A won game took a race that crushed all eight runners and Harry's: two races, nine crushed.
    if (*races == 1 || (*races > 1 && *crushed < 9))
        return std::nullopt;
    return Records::Best{*crushed, *races};
}

std::string RecordsFile::format(const Records::Best& best)
{
    return "crushed " + std::to_string(best.crushed) + "\nraces " + std::to_string(best.races) + "\n";
}

Records::Best RecordsFile::load(std::ostream& out) const
{
    const FileStatus status = fileStatus(file);
    if (status == FileStatus::Missing)
        return {};
    std::ifstream in(file, std::ios::binary);
    if (status != FileStatus::File || !in) {
        out << "Could not read the records in " << file << ", starting without them." << std::endl;
        return {};
    }
    std::string text(longestFile + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    const bool readToTheEnd = in.eof() && !in.bad();
    const std::optional<Records::Best> best = readToTheEnd ? parse(text) : std::nullopt;
    if (!best) {
        out << "The records in " << file << " are damaged, starting without them." << std::endl;
        return {};
    }
    return *best;
}

bool RecordsFile::save(const Records::Best& best, std::ostream& out) const
{
    std::string error;
    if (PlayerFiles::replace(file, format(best), error))
        return true;
    out << "Could not keep the records in " << file << " (" << error << ")." << std::endl;
    return false;
}
