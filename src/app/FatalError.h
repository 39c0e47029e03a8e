// The one exception of the game: start-up cannot go on (or the player only asked for --help).
#pragma once

#include <string>

class FatalError {
public:
    explicit FatalError(const std::string& message);
    FatalError(const FatalError& other) = default;

    // Prints the message and a line end on standard output.
    void display() const;
    const std::string& message() const { return text; }

private:
    std::string text;
};
