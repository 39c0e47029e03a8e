// A lock on an SDL semaphore. Nothing in the game takes it: the audio hand-overs are lock-free.
#pragma once

struct SDL_semaphore;

class CriticalSection {
public:
    CriticalSection();
    ~CriticalSection();
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    // False at once when the semaphore could not be created.
    bool lock();
    void unlock();

private:
    SDL_semaphore* semaphore = nullptr;
};
