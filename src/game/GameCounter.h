// Named scorekeeping counters shared by the whole game, with observers told at multiples of
// their chosen interval. A score is the sum of every counter but "Fighter" and "Time".
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "game/CounterNotification.h"

class GameCounter {
public:
    struct Counter {
        int count = 0;
        // Parallel lists: entry i of both is one registration. Observers are not owned.
        std::vector<int> intervals;
        std::vector<CounterNotification*> observers;
    };

    static GameCounter* getInstance();

    // Creates the counter when needed, adds the amount (which may be negative or 0) and tells
    // every observer whose interval the new count is a multiple of.
    void incrementCount(const std::string& name, int amount);
    // 0 for a name without a counter; no counter is created.
    int getCount(const std::string& name) const;
    void registerNotification(const std::string& name, int interval, CounterNotification* observer);
    // Removes the first matching registration, if any.
    void unregisterNotification(const std::string& name, int interval, CounterNotification* observer);
    int getScore() const;
    // Zeroes every counter; counters and registrations stay.
    void reset();

private:
    GameCounter() = default;
    Counter& createCounter(const std::string& name);
    Counter& counterFor(const std::string& name);

    std::map<std::string, std::unique_ptr<Counter>> counters;
};
