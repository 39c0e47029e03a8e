// Counters are created on first use and never removed; observers are visited in registration order.
#include "game/GameCounter.h"

#include <climits>

namespace {

// Whether count is a multiple of interval. Only 0 is a multiple of 0, and the remainder is taken
// in a wider type so that the most negative count divided by -1 cannot overflow.
bool isMultiple(int count, int interval)
{
    if (interval == 0)
        return count == 0;
    return static_cast<long long>(count) % interval == 0;
}

// Counts stop at the ends of int rather than wrapping round to the other sign.
int clamped(long long sum)
{
    if (sum > INT_MAX)
        return INT_MAX;
    if (sum < INT_MIN)
        return INT_MIN;
    return static_cast<int>(sum);
}

} // namespace

GameCounter* GameCounter::getInstance()
{
    static GameCounter instance;
    return &instance;
}

GameCounter::Counter& GameCounter::createCounter(const std::string& name)
{
    auto& slot = counters[name];
    slot = std::make_unique<Counter>();
    return *slot;
}

GameCounter::Counter& GameCounter::counterFor(const std::string& name)
{
    const auto found = counters.find(name);
    return found != counters.end() ? *found->second : createCounter(name);
}

void GameCounter::incrementCount(const std::string& name, int amount)
{
    Counter& counter = counterFor(name);
    counter.count = clamped(static_cast<long long>(counter.count) + amount);
    // The number of registrations is read afresh at every step: an observer may register
    // or unregister from inside notify.
    for (std::size_t i = 0; i < counter.observers.size(); ++i)
        if (isMultiple(counter.count, counter.intervals[i]))
            counter.observers[i]->notify(name, counter.count);
}

int GameCounter::getCount(const std::string& name) const
{
    const auto found = counters.find(name);
    return found == counters.end() ? 0 : found->second->count;
}

void GameCounter::registerNotification(const std::string& name, int interval, CounterNotification* observer)
{
    Counter& counter = counterFor(name);
    counter.intervals.push_back(interval);
    counter.observers.push_back(observer);
}

void GameCounter::unregisterNotification(const std::string& name, int interval, CounterNotification* observer)
{
    const auto found = counters.find(name);
    if (found == counters.end())
        return;
    Counter& counter = *found->second;
    for (std::size_t i = 0; i < counter.observers.size(); ++i)
        if (counter.intervals[i] == interval && counter.observers[i] == observer) {
            counter.intervals.erase(counter.intervals.begin() + static_cast<std::ptrdiff_t>(i));
            counter.observers.erase(counter.observers.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
}

int GameCounter::getScore() const
{
    // Summed in 64 bits, which no number of int counts a game keeps can overflow, and clamped
    // once: clamping each partial sum would make the score depend on the order of the names.
    long long score = 0;
    for (const auto& [name, counter] : counters)
        if (name != "Fighter" && name != "Time")
            score += counter->count;
    return clamped(score);
}

void GameCounter::reset()
{
    for (auto& entry : counters)
        entry.second->count = 0;
}
