// In the browser the bundle is a folder of the page's preloaded file system (cmake/WebBundle.cmake
// puts the sounds there).
#include "platform/BundlePath.h"

std::string BundlePath::topFolder()
{
    return "/brickwrath";
}
