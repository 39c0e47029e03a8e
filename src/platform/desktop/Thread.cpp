// A thread that runs an object's run(), on SDL threads.
#include "platform/Thread.h"

#include <SDL/SDL.h>
#include <SDL/SDL_thread.h>

#include <iostream>

Thread::~Thread()
{
    waitThread();
}

void Thread::startThread(Thread* t)
{
    if (handle != nullptr)
        return;
    handle = SDL_CreateThread(&Thread::threadMethod, t);
    started = handle != nullptr;
    if (handle == nullptr)
        std::cout << "Could not create thread.  Assuming this is a fatal error..." << std::endl;
}

int Thread::threadMethod(void* p)
{
    return static_cast<Thread*>(p)->run() ? 1 : 0;
}

void Thread::waitThread()
{
    if (handle != nullptr) {
        SDL_WaitThread(handle, nullptr);
        handle = nullptr;
        started = false;
    }
}

void Thread::takeTurns() {}

void Thread::sleep(unsigned milliseconds)
{
    SDL_Delay(milliseconds);
}
