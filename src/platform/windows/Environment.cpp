// The environment of a Windows process, through the C runtime, whose copy SDL's getenv reads.
#include "platform/Environment.h"

#include <cstdlib>

namespace Environment {

bool isOn(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && value[0] == '1';
}

void setDefault(const char* name, const char* value)
{
    if (std::getenv(name) == nullptr)
        _putenv_s(name, value);
}

} // namespace Environment
