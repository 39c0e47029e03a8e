// The background music player and its decoder thread.
#include "sound/BackgroundMusic.h"

#include "platform/BundlePath.h"

#include <SDL/SDL.h>

#include <iostream>

BackgroundMusic::BackgroundMusic() : BackgroundMusic(getSoundsPath() + "music.ogg") {}

BackgroundMusic::BackgroundMusic(const std::string& path) : buffers(new Buffer[NumBuffers])
{
    if (!decoder.open(path)) {
        return;
    }
    // The ring holds the music's first three buffers before anything plays.
    if (!fillBuffer(0)) {
        // Seeking to the start for ever would never fill a buffer: no frame means no music.
        std::cout << "vorbisfile: No music could be decoded from file: " << path << std::endl;
        decoder.close();
        return;
    }
    fillBuffer(1);
    fillBuffer(2);
    startThread(this);
}

BackgroundMusic::~BackgroundMusic()
{
    stopRequest.store(true, std::memory_order_release);
    SDL_Delay(600);
    // run() uses this object's members, so the join cannot wait for the base destructor.
    waitThread();
    decoder.close();
}

std::string BackgroundMusic::getSoundsPath()
{
    const std::string top = BundlePath::topFolder();
    if (top.empty()) {
        return "";
    }
    return top + "/Contents/Resources/sounds/";
}

bool BackgroundMusic::fillBuffer(int b)
{
    Buffer& buffer = buffers[b];
    int filled = 0;
    int link = 0;
    // Frames decoded since the file last started from its first frame: a pass that ends with none
    // means the file has nothing to give.
    std::uint32_t sinceStart = decodePosition;
    decoder.seek(decodePosition);
    while (filled < BufferFrames) {
        float** pcm = nullptr;
        int channels = 0;
        const long n = decoder.read(BufferFrames - filled, &pcm, &channels, &link);
        if (n <= 0 || link > 0) {
            if (sinceStart == 0) {
                for (; filled < BufferFrames; ++filled) {
                    buffer.left[filled].store(0.0f, std::memory_order_relaxed);
                    buffer.right[filled].store(0.0f, std::memory_order_relaxed);
                }
                return false;
            }
            // The end, an error or a chained stream: the music starts again from its first frame.
            decodePosition = 0;
            sinceStart = 0;
            decoder.seek(0);
            continue;
        }
        // A one-channel file plays on both sides.
        const float* left = pcm[0];
        const float* right = channels > 1 ? pcm[1] : pcm[0];
        for (long j = 0; j < n; ++j, ++filled) {
            buffer.left[filled].store(left[j], std::memory_order_relaxed);
            buffer.right[filled].store(right[j], std::memory_order_relaxed);
        }
        decodePosition += static_cast<std::uint32_t>(n);
        sinceStart += static_cast<std::uint32_t>(n);
    }
    return true;
}

bool BackgroundMusic::run()
{
    while (!stopRequest.load(std::memory_order_acquire)) {
        for (int b = 0; b < NumBuffers; ++b) {
            if (refill[b].load(std::memory_order_acquire)) {
                fillBuffer(b);
                refill[b].store(false, std::memory_order_release);
            }
        }
        SDL_Delay(62);
    }
    return true;
}

void BackgroundMusic::audioBlock(float* block, int frames)
{
    if (!decoder.isOpen()) {
        return;
    }
    for (int i = 0; i < frames; ++i) {
        const Buffer& buffer = buffers[currentBuffer];
        block[2 * i] += buffer.left[readPosition].load(std::memory_order_relaxed) * gain * 0.5f;
        block[2 * i + 1] += buffer.right[readPosition].load(std::memory_order_relaxed) * gain * 0.5f;
        // The gain only ever rises, so only the first start of the run fades in, not the loops.
        if (gain < 1.0f) {
            gain += 0.000001f;
        }
        if (++readPosition == BufferFrames) {
            readPosition = 0;
            refill[currentBuffer].store(true, std::memory_order_release);
            currentBuffer = (currentBuffer + 1) % NumBuffers;
        }
    }
}
