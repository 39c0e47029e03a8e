// A thread that runs an object's run(): the base of the music decoder.
#pragma once

struct SDL_Thread;

class Thread {
public:
    Thread() = default;
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;
    // Waits for the thread if one was started.
    virtual ~Thread();

    // The thread's body; its result becomes the thread's exit status (1 for true).
    virtual bool run() = 0;

    // Starts t->run() on a new thread, unless this object already has one.
    void startThread(Thread* t);

    static int threadMethod(void* p);

    bool isThreadStarted() const { return handle != nullptr; }

protected:
    // Waits for the thread to end. A derived class whose run() uses its own members calls this in
    // its destructor, because those members are gone by the time the base destructor runs.
    void waitThread();

private:
    SDL_Thread* handle = nullptr;
};
