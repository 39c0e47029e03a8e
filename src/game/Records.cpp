// What beats a record, and the words the screens show for it.
#include "game/Records.h"

#include <vector>

namespace {

std::string runners(int count)
{
    return std::to_string(count) + (count == 1 ? " runner" : " runners");
}

std::string races(int count)
{
    return std::to_string(count) + (count == 1 ? " race" : " races");
}

} // namespace

Records* Records::getInstance()
{
    static Records instance;
    return &instance;
}

void Records::restore(const Best& stored)
{
    values = stored;
    news.clear();
}

bool Records::gameEnded(int crushed, bool won, int raceCount)
{
    std::vector<std::string> beaten;
    if (crushed > values.crushed) {
        values.crushed = crushed;
        beaten.push_back(runners(crushed) + " crushed");
    }
    // Only a won game has a number of races to beat; a lost one may have been short too.
    if (won && raceCount > 0 && (values.races == 0 || raceCount < values.races)) {
        values.races = raceCount;
        beaten.push_back("won in " + races(raceCount));
    }
    news = beaten;
    if (!beaten.empty() && onBeaten)
        onBeaten(values);
    return !beaten.empty();
}

std::vector<std::string> Records::takeNews()
{
    std::vector<std::string> taken;
    taken.swap(news);
    return taken;
}

std::string Records::joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : ", ") + line;
    return text;
}

std::string Records::line(const Best& best)
{
    std::vector<std::string> parts;
    if (best.crushed > 0)
        parts.push_back(std::to_string(best.crushed) + " crushed");
    if (best.races > 0)
        parts.push_back("won in " + races(best.races));
    return parts.empty() ? std::string() : "best " + joined(parts);
}
