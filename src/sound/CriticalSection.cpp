// A lock on an SDL semaphore with initial value 1.
#include "sound/CriticalSection.h"

#include <SDL/SDL.h>
#include <SDL/SDL_thread.h>

#include <iostream>

CriticalSection::CriticalSection() : semaphore(SDL_CreateSemaphore(1))
{
    if (semaphore == nullptr)
        std::cout << "Critical Section: Could not create semaphore!" << std::endl;
}

CriticalSection::~CriticalSection()
{
    if (semaphore != nullptr)
        SDL_DestroySemaphore(semaphore);
}

bool CriticalSection::lock()
{
    if (semaphore == nullptr)
        return false;
    return SDL_SemWait(semaphore) == 0;
}

void CriticalSection::unlock()
{
    if (semaphore != nullptr)
        SDL_SemPost(semaphore);
}
