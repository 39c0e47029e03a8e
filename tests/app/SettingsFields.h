// Settings compared whole in the tests: every field, printed as a tuple where two differ.
#pragma once

#include <tuple>

#include "app/Settings.h"

inline auto fields(const Settings& s)
{
    return std::tuple(s.width, s.height, s.antialias, s.fullscreen, s.noSound, s.noMusic, s.softwareDrawer);
}
