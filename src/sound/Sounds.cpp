// The bank of sound effects and its lock-free voice hand-over.
#include "sound/Sounds.h"

#include "sound/BackgroundMusic.h"
#include "sound/VorbisFile.h"

#include <climits>
#include <iostream>
#include <iterator>
#include <new>

namespace {

struct SoundEntry {
    Sounds::SoundType type;
    const char* file; // none for NoFile
};

// Every sound and its file. The compiler checks that each type has its row, in the enum's order.
constexpr SoundEntry sounds[] = {
    {Sounds::Biffo, "biffo.ogg"},
    {Sounds::Boing, "boing.ogg"},
    {Sounds::Die, "die.ogg"},
    {Sounds::Explosion, "explosion.ogg"},
    {Sounds::Footstep1, "footstep1.ogg"},
    {Sounds::Footstep2, "footstep2.ogg"},
    {Sounds::Ghost, "ghost.ogg"},
    {Sounds::Jump, "jump.ogg"},
    {Sounds::NoFile, nullptr},
    {Sounds::Trip, "trip.ogg"},
    {Sounds::WallGrinding, "WallGrinding.ogg"},
};

constexpr bool inEnumOrder()
{
    for (int i = 0; i < Sounds::typeCount; ++i)
        if (sounds[i].type != i)
            return false;
    return true;
}
static_assert(std::size(sounds) == Sounds::typeCount, "a sound without its row in the table, or a row too many");
static_assert(inEnumOrder(), "the table's rows must follow the order of Sounds::SoundType");

// Decoding errors are skipped, but a file that gives nothing else must not hold the game forever.
constexpr int maxErrorsInARow = 64;
// Ten minutes at 48000 frames a second: far beyond any effect, and a damaged file that states a
// longer length would otherwise make the bank allocate gigabytes of silence.
constexpr std::uint64_t maxEffectFrames = 10ull * 60 * 48000;

} // namespace

Sounds* Sounds::getInstance()
{
    return getInstance(std::cout);
}

Sounds* Sounds::getInstance(std::ostream& report)
{
    static Sounds instance(BackgroundMusic::getSoundsPath(), report);
    return &instance;
}

Sounds::Sounds(const std::string& folder) : Sounds(folder, std::cout) {}

Sounds::Sounds(const std::string& folder, std::ostream& report)
{
    for (int type = 0; type < typeCount; ++type)
        if (sounds[type].file != nullptr)
            loadFile(folder + sounds[type].file, &files[type], report);
}

Sounds::Sounds(std::array<SoundFile, typeCount> decoded) : files(std::move(decoded)) {}

const char* Sounds::fileName(SoundType type)
{
    return type >= 0 && type < typeCount ? sounds[type].file : nullptr;
}

void Sounds::loadFile(const std::string& path, SoundFile* file)
{
    loadFile(path, file, std::cout);
}

void Sounds::loadFile(const std::string& path, SoundFile* file, std::ostream& report)
{
    VorbisFile in(report);
    if (!in.open(path))
        return;
    const std::uint64_t stated = in.firstStreamFrames();
    if (stated == 0) {
        report << "Sounds: Effect not loaded, its length is zero or unknown: " << path << std::endl;
        return;
    }
    if (stated > maxEffectFrames) {
        report << "Sounds: Effect not loaded, its stated length of " << stated
               << " frames is more than any effect could have: " << path << std::endl;
        return;
    }
    in.reportLoaded();
    const auto frames = static_cast<std::uint32_t>(stated);
    std::unique_ptr<float[]> samples(new (std::nothrow) float[2 * static_cast<std::size_t>(frames)]);
    if (!samples)
        return;

    // Right after opening a chained file the decoder names the wrong logical stream for its first
    // frames; a seek to the start sets it straight.
    in.seek(0);
    std::uint32_t position = 0;
    int errors = 0;
    while (position < frames && errors < maxErrorsInARow) {
        float** pcm = nullptr;
        int channels = 0;
        int link = 0;
        const std::uint32_t wanted = frames - position;
        const long n = in.read(wanted > INT_MAX ? INT_MAX : static_cast<int>(wanted), &pcm, &channels, &link);
        if (n == 0 || (n > 0 && link > 0))
            break; // the end, or a chained stream after the first: only the first one is ours
        if (n < 0) {
            ++errors;
            continue;
        }
        errors = 0;
        // A one-channel file plays on both sides.
        const float* left = pcm[0];
        const float* right = channels > 1 ? pcm[1] : pcm[0];
        float* out = samples.get() + 2 * static_cast<std::size_t>(position);
        for (long j = 0; j < n; ++j) {
            out[2 * j] = left[j];
            out[2 * j + 1] = right[j];
        }
        position += static_cast<std::uint32_t>(n);
    }
    // A file that delivers less than its stated length is padded with silence, never with
    // whatever the memory held.
    for (std::size_t i = 2 * static_cast<std::size_t>(position); i < 2 * static_cast<std::size_t>(frames); ++i)
        samples[i] = 0.0f;
    file->samples = std::move(samples);
    file->frames = frames;
}

void Sounds::playSound(SoundType type)
{
    if (type < 0 || type >= typeCount)
        return;
    ++requestCounts[type];
    // A place in the count is taken before a slot, and the mixer gives it back only after freeing
    // its slot: the count then never passes 128 nor falls below the number of playing slots, and a
    // place taken always finds a free slot. Were the slot taken first, a request in the moment
    // between the mixer freeing a slot and lowering the count would take the count to 129.
    int count = activeVoices.load(std::memory_order_acquire);
    do {
        if (count >= voiceCount)
            return;
    } while (
        !activeVoices.compare_exchange_weak(count, count + 1, std::memory_order_acq_rel, std::memory_order_acquire));
    for (Voice& voice : voices) {
        if (!voice.active.load(std::memory_order_acquire)) {
            voice.samples = files[type].samples.get();
            voice.frames = files[type].frames;
            voice.position = 0;
            voice.active.store(true, std::memory_order_release);
            return;
        }
    }
    activeVoices.fetch_sub(1, std::memory_order_acq_rel); // cannot happen, as above
}

void Sounds::getAudio(float* block, int frames)
{
    int remaining = activeVoices.load(std::memory_order_acquire);
    if (remaining == 0)
        return;
    for (Voice& voice : voices) {
        if (!voice.active.load(std::memory_order_acquire))
            continue;
        bool ended = voice.position >= voice.frames;
        for (int i = 0; !ended && i < frames; ++i) {
            block[2 * i] += voice.samples[2 * voice.position];
            block[2 * i + 1] += voice.samples[2 * voice.position + 1];
            ++voice.position;
            ended = voice.position >= voice.frames;
        }
        if (ended) {
            voice.active.store(false, std::memory_order_release);
            activeVoices.fetch_sub(1, std::memory_order_acq_rel);
        }
        if (--remaining == 0)
            return;
    }
}
