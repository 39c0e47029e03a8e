// Threads that take turns on the browser's main loop: a started thread is listed, and takeTurns(),
// called once a frame, runs one turn() of each. run(), which waits between passes, never runs here.
#include "platform/Thread.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<Thread*>& startedThreads()
{
    static std::vector<Thread*> threads;
    return threads;
}

} // namespace

Thread::~Thread()
{
    waitThread();
}

// Every caller starts its own run(), so t is this object, which waitThread() takes off the list.
void Thread::startThread(Thread* t)
{
    if (started)
        return;
    startedThreads().push_back(t);
    started = true;
}

int Thread::threadMethod(void* p)
{
    return static_cast<Thread*>(p)->run() ? 1 : 0;
}

void Thread::waitThread()
{
    if (!started)
        return;
    auto& threads = startedThreads();
    threads.erase(std::remove(threads.begin(), threads.end(), this), threads.end());
    started = false;
}

void Thread::takeTurns()
{
    // A copy: a turn may end a thread, which takes it off the list.
    const std::vector<Thread*> threads = startedThreads();
    for (Thread* thread : threads)
        thread->turn();
}

void Thread::sleep(unsigned) {}
