// Observer of a game counter: told the counter's name and new value whenever it lands on a
// multiple of the interval the observer registered with.
#pragma once

#include <string>

class CounterNotification {
public:
    virtual ~CounterNotification() = default;
    virtual void notify(const std::string& name, int count) = 0;
};
