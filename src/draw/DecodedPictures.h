// Pictures decoded ahead of their first draw. While the window opens, a thread that would
// otherwise wait decodes the first screen's pictures and the glyphs; whoever draws a picture
// first takes its pixels from here, or decodes it then if nobody decoded it ahead.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <mutex>
#include <vector>

#include "draw/ImageLoader.h"

class DecodedPictures {
public:
    static DecodedPictures& shared();

    DecodedPictures() = default;
    DecodedPictures(const DecodedPictures&) = delete;
    DecodedPictures& operator=(const DecodedPictures&) = delete;
    ~DecodedPictures(); // frees whatever was never taken

    // Decodes the embedded picture at `data` and keeps it for the next take of the same data,
    // unless it is waiting already; what the decoder notices goes to `report`.
    void decodeAhead(const unsigned char* data, std::uint32_t length, std::ostream& report);
    // The picture at `data`, decoded: the one decoded ahead if there is one (handed over once),
    // otherwise decoded now. The pixels are the caller's, as from ImageLoader.
    LoadedImage take(const unsigned char* data, std::uint32_t length);
    // Pictures decoded ahead and not taken yet.
    std::size_t waiting();

private:
    struct Ready {
        const unsigned char* data;
        LoadedImage image;
    };
    bool isWaiting(const unsigned char* data);
    std::vector<Ready>::iterator find(const unsigned char* data); // with the mutex held

    std::mutex mutex; // the decoding thread hands pictures to the main thread
    std::vector<Ready> ready;
};
