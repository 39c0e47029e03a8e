// Captures what the game prints on standard output while the object lives.
#pragma once

#include <iostream>
#include <sstream>
#include <string>

class CaptureStdout {
public:
    CaptureStdout() : previous(std::cout.rdbuf(buffer.rdbuf())) {}
    ~CaptureStdout() { std::cout.rdbuf(previous); }
    CaptureStdout(const CaptureStdout&) = delete;
    CaptureStdout& operator=(const CaptureStdout&) = delete;

    std::string text() const { return buffer.str(); }

private:
    std::ostringstream buffer;
    std::streambuf* previous;
};
