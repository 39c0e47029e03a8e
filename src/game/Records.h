// The player's best results, kept from game to game: the most runners crushed in one game, and the
// fewest races a won game took. The application reads them from the player's file and stores them
// whenever one is beaten; the game itself touches no file.
#pragma once

#include <functional>
#include <string>
#include <vector>

class Records {
public:
    // 0 in either means no record of that kind yet.
    struct Best {
        int crushed = 0;
        int races = 0;
        bool operator==(const Best&) const = default;
    };
    using Listener = std::function<void(const Best&)>;

    static Records* getInstance();

    const Best& best() const { return values; }
    // What the player's file held; no news, and the listener is not told.
    void restore(const Best& stored);
    // Told the new best values whenever a game's end beats one; none by default.
    void setListener(Listener listener) { onBeaten = std::move(listener); }

    // A game has ended: `crushed` runners (Harry among them when he was), and `races` races if it
    // was won. True when it beat a record; the news then says what it was, and the listener hears.
    bool gameEnded(int crushed, bool won, int races);
    // What the last game's end beat, a line a record ("12 runners crushed", "won in 4 races"),
    // given once to the screen that follows it; empty when it beat nothing.
    std::vector<std::string> takeNews();
    // The lines of news joined into one.
    static std::string joined(const std::vector<std::string>& lines);

    // The title's line for the best values, empty while there are none.
    static std::string line(const Best& best);

private:
    Records() = default;

    Best values;
    std::vector<std::string> news;
    Listener onBeaten;
};
