// The process environment: the switches players and benchmarks set, and the ones the game sets for
// the libraries it starts.
#pragma once

namespace Environment {

// Whether the variable is set to a value starting with 1.
bool isOn(const char* name);
// Sets the variable for the libraries started after this, unless it is set already.
void setDefault(const char* name, const char* value);

} // namespace Environment
