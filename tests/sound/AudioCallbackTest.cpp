// The mixing an audio block does must never allocate or lock: on the real-time thread either can
// wait on another thread and make the sound stutter. Counts every malloc family call and every
// mutex lock made by the mixing thread while it mixes the music and 128 playing effects, at the
// files' rate and resampled for a 48000 output.
#include <gtest/gtest.h>

#include <pthread.h>

#include <cstddef>
#include <dlfcn.h>
#include <sstream>
#include <vector>

#include "sound/AudioMixer.h"
#include "sound/BackgroundMusic.h"
#include "sound/Sounds.h"

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define BRICKWRATH_COUNTING 0 // the sanitizers own malloc themselves
#else
#define BRICKWRATH_COUNTING 1
#endif

namespace {
// Only the thread under test counts; the music's decoding thread allocates as it likes.
thread_local bool counting = false;
thread_local int allocations = 0;
thread_local int locks = 0;
} // namespace

#if BRICKWRATH_COUNTING
// glibc's own entry points, so these replacements need no dlsym (which itself allocates).
extern "C" void* __libc_malloc(std::size_t size);
extern "C" void* __libc_calloc(std::size_t count, std::size_t size);
extern "C" void* __libc_realloc(void* pointer, std::size_t size);
extern "C" void __libc_free(void* pointer);

extern "C" void* malloc(std::size_t size)
{
    allocations += counting ? 1 : 0;
    return __libc_malloc(size);
}
extern "C" void* calloc(std::size_t count, std::size_t size)
{
    allocations += counting ? 1 : 0;
    return __libc_calloc(count, size);
}
extern "C" void* realloc(void* pointer, std::size_t size)
{
    allocations += counting ? 1 : 0;
    return __libc_realloc(pointer, size);
}
extern "C" void free(void* pointer)
{
    allocations += counting && pointer != nullptr ? 1 : 0;
    __libc_free(pointer);
}
extern "C" int pthread_mutex_lock(pthread_mutex_t* mutex)
{
    using Lock = int (*)(pthread_mutex_t*);
    static const auto real = reinterpret_cast<Lock>(dlsym(RTLD_NEXT, "pthread_mutex_lock"));
    locks += counting ? 1 : 0;
    return real(mutex);
}
#endif

TEST(AudioCallback, MixingAllocatesNothingAndTakesNoLock)
{
    if (!BRICKWRATH_COUNTING)
        GTEST_SKIP() << "allocation counting does not work beside a sanitizer's allocator";
    const std::string folder = std::string(BRICKWRATH_SOURCE_DIR) + "/assets/sounds/";
    std::ostringstream quiet;
    Sounds effects(folder, quiet);
    BackgroundMusic music(folder + "music.ogg", BackgroundMusic::Pacing(), quiet);
    ASSERT_GT(effects.getFile(Sounds::WallGrinding).frames, 0u);

    // The counters themselves must see what they are meant to see.
    counting = true;
    void* probe = malloc(16);
    free(probe);
    pthread_mutex_t mutex = PTHREAD_MUTEX_INITIALIZER;
    pthread_mutex_lock(&mutex);
    pthread_mutex_unlock(&mutex);
    counting = false;
    ASSERT_EQ(allocations, 2);
    ASSERT_EQ(locks, 1);
    allocations = 0;
    locks = 0;

    // Voices of every length: short ones end inside the blocks, the grinding plays on.
    for (int voice = 0; voice < Sounds::voiceCount; ++voice)
        effects.playSound(voice % 2 == 0 ? Sounds::WallGrinding : static_cast<Sounds::SoundType>(voice % 10));
    std::vector<float> block(2 * 512);
    AudioMixer mixer(&music, &effects, true);
    // 200 blocks cross several of the music's buffers, each handed back to its thread.
    for (const double rate : {44100.0, 48000.0}) {
        SCOPED_TRACE(rate);
        mixer.outputStarts(rate);
        ASSERT_EQ(mixer.isResampling(), rate != 44100.0);
        counting = true;
        for (int b = 0; b < 100; ++b)
            mixer.getAudio(nullptr, block.data(), 512);
        counting = false;
        EXPECT_EQ(allocations, 0);
        EXPECT_EQ(locks, 0);
    }
    EXPECT_GT(effects.getActiveVoiceCount(), 0);
    EXPECT_LT(effects.getActiveVoiceCount(), Sounds::voiceCount) << "the short effects have ended";
}
