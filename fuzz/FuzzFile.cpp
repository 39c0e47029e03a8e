// A memory file (memfd) reached through /proc/self/fd, so the fuzzers never touch the disk.
#include "FuzzFile.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

FuzzFile::FuzzFile() : fd(memfd_create("brickwrath-fuzz", 0))
{
    if (fd < 0) {
        std::perror("memfd_create");
        std::abort();
    }
    path = "/proc/self/fd/" + std::to_string(fd);
}

FuzzFile::~FuzzFile()
{
    close(fd);
}

const std::string& FuzzFile::write(const std::uint8_t* data, std::size_t size)
{
    if (ftruncate(fd, 0) != 0) {
        std::abort();
    }
    for (std::size_t done = 0; done < size;) {
        const ssize_t n = pwrite(fd, data + done, size - done, static_cast<off_t>(done));
        if (n <= 0) {
            std::abort();
        }
        done += static_cast<std::size_t>(n);
    }
    return path;
}
