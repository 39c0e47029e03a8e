// 4:3 fitting, in single precision as the OpenGL viewport has always been computed.
#include "draw/PictureArea.h"

PictureArea PictureArea::fit(int windowWidth, int windowHeight)
{
    PictureArea area{0, 0, windowWidth, windowHeight};
    const float width = static_cast<float>(windowWidth);
    const float height = static_cast<float>(windowHeight);
    const float ratio = height / width;
    if (ratio < 0.75f) {
        const float pictureWidth = height * 1.3333334f;
        area.x = static_cast<int>((width - pictureWidth) * 0.5f);
        area.width = static_cast<int>(pictureWidth);
    } else if (ratio > 0.75f) {
        const float pictureHeight = width * 0.75f;
        area.y = static_cast<int>((height - pictureHeight) * 0.5f);
        area.height = static_cast<int>(pictureHeight);
    }
    return area;
}
