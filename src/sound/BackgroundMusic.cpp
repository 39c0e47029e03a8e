// The background music player and its decoder thread.
#include "sound/BackgroundMusic.h"

#include "platform/BundlePath.h"

#include <algorithm>
#include <iostream>

BackgroundMusic::BackgroundMusic() : BackgroundMusic(getSoundsPath() + "music.ogg") {}

BackgroundMusic::BackgroundMusic(const std::string& path) : BackgroundMusic(path, Pacing()) {}

BackgroundMusic::BackgroundMusic(const std::string& path, const Pacing& pace) : BackgroundMusic(path, pace, std::cout)
{
}

BackgroundMusic::BackgroundMusic(std::ostream& report)
    : BackgroundMusic(getSoundsPath() + "music.ogg", withoutThread(), report)
{
}

BackgroundMusic::Pacing BackgroundMusic::withoutThread()
{
    Pacing pacing;
    pacing.decoderThread = false;
    return pacing;
}

BackgroundMusic::BackgroundMusic(const std::string& path, const Pacing& pace, std::ostream& report)
    : pacing(pace), samples(new float[2 * bufferCount * static_cast<std::size_t>(pace.bufferFrames)]())
{
    decoder.reportTo(report);
    if (!decoder.open(path)) {
        decoder.reportTo(std::cout);
        return;
    }
    decoder.reportLoaded();
    // The ring holds the music's first three buffers before anything plays.
    if (!fillBuffer(0)) {
        // Seeking to the start for ever would never fill a buffer: no frame means no music.
        report << "vorbisfile: No music could be decoded from file: " << path << std::endl;
        decoder.close();
        decoder.reportTo(std::cout);
        return;
    }
    fillBuffer(1);
    fillBuffer(2);
    // From here on the decoder thread reports what goes wrong, as it happens.
    decoder.reportTo(std::cout);
    if (pacing.decoderThread)
        startDecoder();
}

void BackgroundMusic::startDecoder()
{
    if (!decoder.isOpen())
        return;
    startThread(this);
    refilling = isThreadStarted();
}

BackgroundMusic::~BackgroundMusic()
{
    stopRequest.store(true, std::memory_order_release);
    Thread::sleep(static_cast<unsigned>(pacing.stopMilliseconds));
    // run() uses this object's members, so the join cannot wait for the base destructor.
    waitThread();
    decoder.close();
}

std::string BackgroundMusic::getSoundsPath()
{
    const std::string top = BundlePath::topFolder();
    if (top.empty())
        return "";
    return top + "/Contents/Resources/sounds/";
}

bool BackgroundMusic::fillBuffer(int b)
{
    float* const outLeft = left(b);
    float* const outRight = right(b);
    const int frames = pacing.bufferFrames;
    int filled = 0;
    int link = 0;
    // Frames decoded since the file last started from its first frame: a pass that ends with none
    // means the file has nothing to give.
    std::uint32_t sinceStart = decodePosition;
    decoder.seek(decodePosition);
    while (filled < frames) {
        float** pcm = nullptr;
        int channels = 0;
        const long n = decoder.read(frames - filled, &pcm, &channels, &link);
        if (n <= 0 || link > 0) {
            if (sinceStart == 0) {
                std::fill(outLeft + filled, outLeft + frames, 0.0f);
                std::fill(outRight + filled, outRight + frames, 0.0f);
                return false;
            }
            // The end, an error or a chained stream: the music starts again from its first frame.
            decodePosition = 0;
            sinceStart = 0;
            decoder.seek(0);
            continue;
        }
        // A one-channel file plays on both sides.
        const float* fromLeft = pcm[0];
        const float* fromRight = channels > 1 ? pcm[1] : pcm[0];
        for (long j = 0; j < n; ++j, ++filled) {
            outLeft[filled] = fromLeft[j];
            outRight[filled] = fromRight[j];
        }
        decodePosition += static_cast<std::uint32_t>(n);
        sinceStart += static_cast<std::uint32_t>(n);
        if (pacing.afterDecodedChunk)
            pacing.afterDecodedChunk();
    }
    return true;
}

bool BackgroundMusic::run()
{
    while (!stopRequest.load(std::memory_order_acquire)) {
        turn();
        Thread::sleep(static_cast<unsigned>(pacing.pollMilliseconds));
    }
    return true;
}

void BackgroundMusic::turn()
{
    for (int k = 0; k < bufferCount; ++k) {
        const int b = nextRefill;
        if (!refill[b].load(std::memory_order_acquire))
            break;
        fillBuffer(b);
        refill[b].store(false, std::memory_order_release);
        nextRefill = (b + 1) % bufferCount;
    }
}

void BackgroundMusic::audioBlock(float* block, int frames)
{
    if (!decoder.isOpen())
        return;
    for (int i = 0; i < frames; ++i) {
        // A buffer is ours from its first frame on once its flag is clear. Still set means the
        // music thread is late or busy writing it: playing it would mix old and new frames, so the
        // music pauses here until the next block and then carries on from this frame.
        if (readPosition == 0 && refill[currentBuffer].load(std::memory_order_acquire))
            return;
        block[2 * i] += left(currentBuffer)[readPosition] * gain * 0.5f;
        block[2 * i + 1] += right(currentBuffer)[readPosition] * gain * 0.5f;
        // The gain only ever rises, so only the first start of the run fades in, not the loops.
        if (gain < 1.0f)
            gain += 0.000001f;
        if (++readPosition == static_cast<std::uint32_t>(pacing.bufferFrames)) {
            readPosition = 0;
            if (refilling)
                refill[currentBuffer].store(true, std::memory_order_release);
            currentBuffer = (currentBuffer + 1) % bufferCount;
        }
    }
}
