// The environment of a desktop process.
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
    setenv(name, value, 0);
}

} // namespace Environment
