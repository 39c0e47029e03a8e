// The bank of sound effects: every effect file decoded into memory at start-up, and up to 128 of
// them playing at once, started by the game on the main thread and mixed on the audio thread.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>

class Sounds {
public:
    // Indexes the table of files; NoFile has no file, and the values after it keep their places.
    // Each has its file in Sounds.cpp's table, in this order; TypeCount counts them.
    enum SoundType {
        Biffo,
        Boing,
        Die,
        Explosion,
        Footstep1,
        Footstep2,
        Ghost,
        Jump,
        NoFile,
        Trip,
        WallGrinding,
        TypeCount
    };
    static constexpr int typeCount = TypeCount;
    static constexpr int voiceCount = 128;

    // One decoded file: interleaved stereo frames, left then right.
    struct SoundFile {
        std::unique_ptr<float[]> samples;
        std::uint32_t frames = 0;
    };

    // The bank of the game, loaded from the bundle's sounds folder on the first call. The
    // application makes that call on the main thread before the audio stream starts, so the
    // audio thread never decodes.
    static Sounds* getInstance();
    // The same, with the first call's lines about the files going to `report`: the application
    // loads the bank on a thread of its own and prints them itself.
    static Sounds* getInstance(std::ostream& report);

    // Loads every effect file from `folder` (ending in a slash; "" means the working folder),
    // reporting each on `report`.
    explicit Sounds(const std::string& folder);
    Sounds(const std::string& folder, std::ostream& report);
    // A bank of effects already decoded: the stress tests play exact, tagged samples this way.
    explicit Sounds(std::array<SoundFile, typeCount> decoded);
    Sounds(const Sounds&) = delete;
    Sounds& operator=(const Sounds&) = delete;

    // Starts `type` in the lowest free voice slot; dropped silently when all 128 are busy.
    void playSound(SoundType type);

    // Adds every playing voice into a stereo block; a voice ends after its last frame is mixed.
    void getAudio(float* block, int frames);

    // Decodes one file completely into `file`, reporting on `report`; a failure leaves the entry
    // empty.
    static void loadFile(const std::string& path, SoundFile* file);
    static void loadFile(const std::string& path, SoundFile* file, std::ostream& report);

    static const char* fileName(SoundType type);

    // How often `type` has been asked for since start-up, played or dropped. Main thread only: it
    // lets tests see which effect a game event starts when there is no sound device.
    int requests(SoundType type) const { return requestCounts[type]; }

    const SoundFile& getFile(SoundType type) const { return files[type]; }
    bool isVoiceActive(int slot) const { return voices[slot].active.load(std::memory_order_acquire); }
    int getActiveVoiceCount() const { return activeVoices.load(std::memory_order_relaxed); }

private:
    // A slot belongs to the main thread while inactive and to the audio thread while active; the
    // flag is stored with release after the other members, and read with acquire.
    struct Voice {
        const float* samples = nullptr;
        std::uint32_t frames = 0;
        std::uint32_t position = 0;
        std::atomic<bool> active{false};
    };

    std::array<SoundFile, typeCount> files;
    std::array<int, typeCount> requestCounts{};
    std::array<Voice, voiceCount> voices;
    // Lets the mixer skip an idle block and stop scanning after the last playing voice. Both threads
    // change it, so always by atomic read-modify-write.
    std::atomic<int> activeVoices{0};
};
