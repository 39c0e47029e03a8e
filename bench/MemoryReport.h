// Resident memory of this process and what it is made of: /proc/self/smaps grouped by mapping,
// and the game's own large holdings (decoded sounds, pictures in the drawer).
#pragma once

#include <string>

class Drawer;

class MemoryReport {
public:
    // Prints the resident total and its parts under `title`.
    static void print(const std::string& title, Drawer* drawer);
    // Kibibytes resident now.
    static long residentKiB();
};
