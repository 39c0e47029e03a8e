// Work that may run beside the main thread while the window opens, such as decoding the sounds.
// On Linux it runs on a thread of its own; in the browser, which has no threads without headers
// most hosts cannot send, it runs on the main thread when waited for, still before the first frame.
#pragma once

#include <functional>
#include <memory>

class BackgroundTask {
public:
    explicit BackgroundTask(std::function<void()> work);
    // Waits for work under way; in the browser, work not yet started is dropped.
    ~BackgroundTask();
    BackgroundTask(const BackgroundTask&) = delete;
    BackgroundTask& operator=(const BackgroundTask&) = delete;

    // Returns once the work is done.
    void join();

private:
    struct Runner;
    std::unique_ptr<Runner> runner;
};
