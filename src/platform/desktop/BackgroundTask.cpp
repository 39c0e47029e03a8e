// The work runs on a thread of its own.
#include "platform/BackgroundTask.h"

#include <thread>

struct BackgroundTask::Runner {
    std::jthread thread;
};

BackgroundTask::BackgroundTask(std::function<void()> work) : runner(std::make_unique<Runner>())
{
    runner->thread = std::jthread(std::move(work));
}

BackgroundTask::~BackgroundTask()
{
    join();
}

void BackgroundTask::join()
{
    if (runner->thread.joinable())
        runner->thread.join();
}
