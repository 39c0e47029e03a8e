// A file in memory for the fuzzers whose code under test reads from a path: each input replaces
// its contents, and the path opens it afresh from the first byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class FuzzFile {
public:
    FuzzFile();
    ~FuzzFile();
    FuzzFile(const FuzzFile&) = delete;
    FuzzFile& operator=(const FuzzFile&) = delete;

    // Replaces the contents with `size` bytes and returns the path to open them by.
    const std::string& write(const std::uint8_t* data, std::size_t size);

private:
    int fd = -1;
    std::string path;
};
