// Lazy loading of embedded pictures into the drawer.
#include "draw/ImageSlot.h"

#include <utility>

#include "draw/Drawer.h"
#include "draw/ImageLoader.h"

namespace {

std::uint32_t decodeInto(Drawer* drawer, const unsigned char* data, unsigned int length)
{
    ImageLoader loader;
    LoadedImage image = loader.loadImage(data, length);
    return drawer->loadImage(std::move(image.pixels), image.width, image.height);
}

} // namespace

ImageSlot::~ImageSlot()
{
    release();
}

std::uint32_t ImageSlot::get(Drawer* drawer) const
{
    if (imageId != 0 && ownerSerial == drawer->serial())
        return imageId;
    // An id from another drawer is only forgotten: that drawer frees its own images.
    imageId = decodeInto(drawer, data, length);
    owner = drawer;
    ownerSerial = drawer->serial();
    return imageId;
}

void ImageSlot::release()
{
    if (imageId != 0 && owner != nullptr)
        owner->releaseImage(imageId);
    imageId = 0;
    owner = nullptr;
}

std::uint32_t SharedImageSlot::get(Drawer* drawer) const
{
    if (imageId != 0 && ownerSerial == drawer->serial())
        return imageId;
    imageId = decodeInto(drawer, data, length);
    ownerSerial = drawer->serial();
    return imageId;
}
