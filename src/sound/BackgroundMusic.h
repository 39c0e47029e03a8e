// The background music: "music.ogg" decoded ahead on a thread of its own into a ring of three
// quarter-second buffers, looped for ever, faded in over the first million frames and mixed at half
// level by the audio thread.
#pragma once

#include "sound/Thread.h"
#include "sound/VorbisFile.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

class BackgroundMusic : public Thread {
public:
    static constexpr int BufferFrames = 11025;
    static constexpr int NumBuffers = 3;

    // Plays music.ogg from the bundle's sounds folder.
    BackgroundMusic();
    // Plays the file at `path`: opens it, fills the ring and starts the decoder thread.
    explicit BackgroundMusic(const std::string& path);
    // Stops and joins the thread (taking at least 600 ms), then releases the decoder.
    ~BackgroundMusic() override;

    // Adds the next `frames` frames (at most BufferFrames) into a stereo block. Audio thread only.
    void audioBlock(float* block, int frames);

    // Decodes BufferFrames frames into buffer b, looping the file as needed. False when a whole
    // pass from the file's first frame gave nothing; the rest of the buffer is then silence.
    bool fillBuffer(int b);

    bool run() override;

    // The sounds folder, ending in a slash; "" when the bundle cannot be found.
    static std::string getSoundsPath();

    bool hasMusic() const { return decoder.isOpen(); }

private:
    // Samples are relaxed atomics so that a late refill (an underrun) mixes old and new frames as
    // it always has, without the two threads racing on plain floats.
    struct Buffer {
        std::array<std::atomic<float>, BufferFrames> left;
        std::array<std::atomic<float>, BufferFrames> right;
    };

    VorbisFile decoder;
    std::uint32_t decodePosition = 0;
    float gain = 0.0f;
    std::unique_ptr<Buffer[]> buffers;
    int currentBuffer = 0;
    // Set (release) by the audio thread when it has played a buffer through; cleared (release) by
    // the music thread when it has written the buffer anew. Both read them with acquire.
    std::array<std::atomic<bool>, NumBuffers> refill{};
    std::uint32_t readPosition = 0;
    std::atomic<bool> stopRequest{false};
};
