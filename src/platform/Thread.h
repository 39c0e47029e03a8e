// A thread that runs an object's run(): the base of the music decoder. Each target has its own:
// SDL threads on Linux; in the browser, which has no threads without headers most hosts cannot
// send, a started thread instead gets a turn() on the main loop once a frame.
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
    // One pass of the body's work that never waits, for a target whose threads take turns.
    virtual void turn() {}

    // Starts t->run() on a new thread, unless this object already has one.
    void startThread(Thread* t);

    static int threadMethod(void* p);

    bool isThreadStarted() const { return started; }

    // Gives every started thread its turn() where threads take turns; nothing where they run.
    static void takeTurns();
    // Waits on the calling thread; at once where the only thread is the browser's, which must not block.
    static void sleep(unsigned milliseconds);

protected:
    // Waits for the thread to end. A derived class whose run() uses its own members calls this in
    // its destructor, because those members are gone by the time the base destructor runs.
    void waitThread();

private:
    SDL_Thread* handle = nullptr;
    bool started = false;
};
