// The store between the thread that decodes pictures ahead and the main thread that draws them.
#include "draw/DecodedPictures.h"

#include <algorithm>

DecodedPictures& DecodedPictures::shared()
{
    static DecodedPictures pictures;
    return pictures;
}

DecodedPictures::~DecodedPictures()
{
    for (const Ready& picture : ready)
        delete[] picture.image.pixels;
}

void DecodedPictures::decodeAhead(const unsigned char* data, std::uint32_t length, std::ostream& report)
{
    if (isWaiting(data))
        return;
    ImageLoader loader(report);
    const LoadedImage image = loader.loadImage(data, length);
    if (image.pixels == nullptr)
        return; // decoded again when it is needed, and reported then
    const std::lock_guard lock(mutex);
    if (find(data) != ready.end()) {
        delete[] image.pixels;
        return;
    }
    ready.push_back({data, image});
}

LoadedImage DecodedPictures::take(const unsigned char* data, std::uint32_t length)
{
    {
        const std::lock_guard lock(mutex);
        if (const auto found = find(data); found != ready.end()) {
            const LoadedImage image = found->image;
            ready.erase(found);
            return image;
        }
    }
    ImageLoader loader;
    return loader.loadImage(data, length);
}

std::size_t DecodedPictures::waiting()
{
    const std::lock_guard lock(mutex);
    return ready.size();
}

bool DecodedPictures::isWaiting(const unsigned char* data)
{
    const std::lock_guard lock(mutex);
    return find(data) != ready.end();
}

std::vector<DecodedPictures::Ready>::iterator DecodedPictures::find(const unsigned char* data)
{
    return std::find_if(ready.begin(), ready.end(), [data](const Ready& picture) { return picture.data == data; });
}
