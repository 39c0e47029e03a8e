// The background music: "music.ogg" decoded ahead on a thread of its own (in the browser, in turns
// on the main loop) into a ring of three quarter-second buffers, looped for ever, faded in over the
// first million frames and mixed at half level by the audio thread.
#pragma once

#include "platform/Thread.h"
#include "sound/VorbisFile.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>

class BackgroundMusic : public Thread {
public:
    static constexpr int defaultBufferFrames = 11025;
    static constexpr int bufferCount = 3;

    // How the player paces its ring. The game always uses the defaults; the stress tests shrink
    // the buffers and the poll so that hand-overs come thousands of times a second and stall the
    // decoder at random, and the fuzzer decodes without a thread and without the pause on
    // destruction.
    struct Pacing {
        int bufferFrames = defaultBufferFrames;
        int pollMilliseconds = 62;
        int stopMilliseconds = 600;
        bool decoderThread = true;
        // Called after each chunk decoded into a buffer, on the thread that fills it.
        std::function<void()> afterDecodedChunk;
    };

    // Plays music.ogg from the bundle's sounds folder.
    BackgroundMusic();
    // Plays the file at `path`: opens it, fills the ring and starts the decoder thread.
    explicit BackgroundMusic(const std::string& path);
    BackgroundMusic(const std::string& path, const Pacing& pacing);
    // Opens music.ogg from the bundle's sounds folder and fills the ring, reporting on `report`
    // rather than on standard output, and starts no thread: the application makes the player on
    // a thread of its own while the window opens, prints the lines itself, and then starts the
    // decoder from the main thread (SDL's threads are made where SDL was started).
    explicit BackgroundMusic(std::ostream& report);
    BackgroundMusic(const std::string& path, const Pacing& pacing, std::ostream& report);
    // Starts the thread that refills the ring, when there is music and no thread yet.
    void startDecoder();
    // Stops and joins the thread (taking at least 600 ms), then releases the decoder.
    ~BackgroundMusic() override;

    // Adds the next `frames` frames (at most one buffer) into a stereo block. Audio thread only.
    // When the music thread is late with a refill the rest of the block gets no music: the mixer
    // never reads a buffer that is being written.
    void audioBlock(float* block, int frames);

    // Decodes one buffer's worth of frames into buffer b, looping the file as needed. False when a
    // whole pass from the file's first frame gave nothing; the rest of the buffer is then silence.
    bool fillBuffer(int b);

    bool run() override;
    // Refills, in ring order, every buffer the mixer has played through.
    void turn() override;

    // The sounds folder, ending in a slash; "" when the bundle cannot be found.
    static std::string getSoundsPath();

    bool hasMusic() const { return decoder.isOpen(); }
    // True while buffer b waits for the music thread to refill it.
    bool isRefillPending(int b) const { return refill[b].load(std::memory_order_acquire); }

private:
    static Pacing withoutThread();
    float* left(int b) { return samples.get() + 2 * b * pacing.bufferFrames; }
    float* right(int b) { return left(b) + pacing.bufferFrames; }

    Pacing pacing;
    VorbisFile decoder;
    std::uint32_t decodePosition = 0;
    float gain = 0.0f;
    // Left then right channel of each buffer in turn. Plain floats: a buffer belongs to one thread
    // at a time, as its refill flag says.
    std::unique_ptr<float[]> samples;
    int currentBuffer = 0;
    // Set (release) by the audio thread when it has played a buffer through; cleared (release) by
    // the music thread when it has written the buffer anew. Both read them with acquire.
    std::array<std::atomic<bool>, bufferCount> refill{};
    std::uint32_t readPosition = 0;
    // The next buffer the music thread refills. The mixer releases buffers in ring order, so the
    // thread refills them in that order too: two released at once (0 and 2, say, after the mixer
    // wrapped round) must not have their contents swapped.
    int nextRefill = 0;
    // Whether played buffers go back to a music thread. Without one (it could not be created) the
    // mixer keeps them and plays the ring round and round.
    bool refilling = false;
    std::atomic<bool> stopRequest{false};
};
