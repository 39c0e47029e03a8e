// In a 4:3 window this is exactly trunc(x / width * 1024), divided first, in single precision.
#include "app/MouseMapping.h"

#include <algorithm>

#include "draw/Drawer.h"

MouseMapping::MouseMapping(int windowWidth, int windowHeight)
{
    const PictureArea area = PictureArea::fit(std::max(windowWidth, 1), std::max(windowHeight, 1));
    left = static_cast<float>(area.x);
    // The area's y counts from the bottom edge; mouse positions count from the top.
    top = static_cast<float>(std::max(windowHeight, 1) - area.y - area.height);
    width = static_cast<float>(std::max(area.width, 1));
    height = static_cast<float>(std::max(area.height, 1));
}

int MouseMapping::mapX(int x) const
{
    const int virtualX =
        static_cast<int>((static_cast<float>(x) - left) / width * static_cast<float>(Drawer::virtualWidth));
    return std::clamp(virtualX, 0, Drawer::virtualWidth - 1);
}

int MouseMapping::mapY(int y) const
{
    const int virtualY =
        static_cast<int>((static_cast<float>(y) - top) / height * static_cast<float>(Drawer::virtualHeight));
    return std::clamp(virtualY, 0, Drawer::virtualHeight - 1);
}
