// The settings in the settings file's own words.
#include "app/Settings.h"

void Settings::write(std::ostream& out) const
{
    out << "w " << width << "\nh " << height << "\na " << antialias << "\nf " << fullscreen << "\nns " << noSound
        << "\nnm " << noMusic << "\nsdl " << softwareDrawer << "\n";
}
