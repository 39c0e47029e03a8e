// An image id loaded on first draw from embedded bytes. A screen's own slots release their image
// when the screen goes; shared slots (one per class) keep theirs and reload for a new drawer. A
// slot is the drawer's cache, not the world's state: loading into it is part of drawing, which
// changes nothing the game plays by, so get() is const.
#pragma once

#include <cstdint>

class Drawer;

class ImageSlot {
public:
    ImageSlot(const unsigned char* data, unsigned int length) : data(data), length(length) {}
    ImageSlot(const ImageSlot&) = delete;
    ImageSlot& operator=(const ImageSlot&) = delete;
    ~ImageSlot();

    // Loads the picture into the drawer unless it is there already; returns its id (0 if it
    // could not be decoded, in which case the next call tries again).
    std::uint32_t get(Drawer* drawer) const;
    std::uint32_t id() const { return imageId; }
    // Gives the image back to its drawer now.
    void release();

private:
    const unsigned char* data;
    unsigned int length;
    mutable std::uint32_t imageId = 0;
    mutable Drawer* owner = nullptr;
    mutable std::uint64_t ownerSerial = 0;
};

// For pictures that every object of a class shares: never released, loaded once per drawer.
class SharedImageSlot {
public:
    SharedImageSlot(const unsigned char* data, unsigned int length) : data(data), length(length) {}
    std::uint32_t get(Drawer* drawer) const;
    std::uint32_t id() const { return imageId; }

private:
    const unsigned char* data;
    unsigned int length;
    mutable std::uint32_t imageId = 0;
    mutable std::uint64_t ownerSerial = 0;
};
