// The browser build has no threads: the work runs on the main thread, when it is waited for.
#include "platform/BackgroundTask.h"

struct BackgroundTask::Runner {
    std::function<void()> work;
};

BackgroundTask::BackgroundTask(std::function<void()> work) : runner(std::make_unique<Runner>())
{
    runner->work = std::move(work);
}

// Work nobody waited for (the window failed to open) has not started and is dropped.
BackgroundTask::~BackgroundTask() = default;

void BackgroundTask::join()
{
    if (runner->work) {
        auto work = std::move(runner->work);
        runner->work = nullptr;
        work();
    }
}
