// Start-up failures travel to the entry as FatalError and are printed there.
#include "app/FatalError.h"

#include <iostream>

FatalError::FatalError(const std::string& message) : text(message) {}

void FatalError::display() const
{
    std::cout << text << std::endl;
}
