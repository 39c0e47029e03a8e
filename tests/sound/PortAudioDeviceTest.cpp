// The audio device against a stand-in library: the stream it opens and its latency, every failure
// line, the 48000 fallback and the game's effects heard at their own pitch through it, start and
// stop only once, a stream that dies on its own, and the library's chatter kept off the terminal.
#include "platform/desktop/PortAudioDevice.h"

#include "platform/PortAudioCallback.h"
#include "sound/AudioMixer.h"
#include "sound/Sounds.h"
#include "support/CaptureStdout.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <string>
#include <vector>

namespace {

// The stand-in for the PortAudio library, linked instead of it: it answers as a test sets it, so
// that a device can refuse a rate or fail to open or start, and logs what the device asked of it.
struct FakeLibrary {
    PaError initialiseResult = paNoError;
    bool hasHostApi = true;
    bool refuse44100 = false;
    bool refuse48000 = false;
    // Whether the library knows the default output device, and the latencies it then suggests.
    bool hasDeviceInfo = true;
    PaDeviceInfo deviceInfo{2, "fake out", 0, 0, 2, 0.011, 0.023, 0.092, 0.184, 44100.0};
    // The rate Pa_GetStreamInfo reports; 0 means the rate opened with.
    double runningRate = 0.0;
    PaError openResult = paNoError;
    PaError startResult = paNoError;
    // Printed on standard error by Pa_Initialize, as a real host's probing does.
    const char* initialiseChatter = nullptr;

    // The calls in order ("initialise check open start "), and the stream opened last.
    std::string calls;
    bool formatCheckHadInput = false;
    bool openedWithInput = false;
    PaStreamParameters output{};
    double openedRate = 0.0;
    unsigned long framesPerBuffer = 1;
    PaStreamFlags flags = 1;
    PaStreamCallback* callback = nullptr;
    void* userData = nullptr;
    PaStreamFinishedCallback* finished = nullptr;
    PaStreamInfo streamInfo{};
} library;

constexpr PaDeviceIndex defaultOutput = 7;
int streamToken;

} // namespace

extern "C" {

PaError Pa_Initialize(void)
{
    library.calls += "initialise ";
    if (const char* chatter = library.initialiseChatter)
        (void)!write(STDERR_FILENO, chatter, std::strlen(chatter));
    return library.initialiseResult;
}

PaError Pa_Terminate(void)
{
    library.calls += "terminate ";
    return paNoError;
}

PaHostApiIndex Pa_GetDefaultHostApi(void)
{
    return library.hasHostApi ? 0 : paNoDevice;
}

const PaHostApiInfo* Pa_GetHostApiInfo(PaHostApiIndex hostApi)
{
    static PaHostApiInfo info{1, paALSA, "fake", 2, 3, defaultOutput};
    return hostApi == 0 && library.hasHostApi ? &info : nullptr;
}

const PaDeviceInfo* Pa_GetDeviceInfo(PaDeviceIndex device)
{
    return device == defaultOutput && library.hasDeviceInfo ? &library.deviceInfo : nullptr;
}

const PaStreamInfo* Pa_GetStreamInfo(PaStream*)
{
    library.streamInfo = PaStreamInfo{1, 0.0, library.output.suggestedLatency,
                                      library.runningRate > 0.0 ? library.runningRate : library.openedRate};
    return &library.streamInfo;
}

PaError Pa_SetStreamFinishedCallback(PaStream*, PaStreamFinishedCallback* finished)
{
    library.finished = finished;
    return paNoError;
}

PaError Pa_IsFormatSupported(const PaStreamParameters* input, const PaStreamParameters* output, double rate)
{
    library.calls += "check ";
    library.formatCheckHadInput = library.formatCheckHadInput || input != nullptr;
    if (output == nullptr || output->device == paNoDevice)
        return paInvalidDevice;
    if ((rate == 44100.0 && library.refuse44100) || (rate == 48000.0 && library.refuse48000))
        return paInvalidSampleRate;
    return paFormatIsSupported;
}

PaError Pa_OpenStream(PaStream** stream, const PaStreamParameters* input, const PaStreamParameters* output, double rate,
                      unsigned long framesPerBuffer, PaStreamFlags flags, PaStreamCallback* callback, void* userData)
{
    FakeLibrary& s = library;
    s.calls += "open ";
    s.openedWithInput = input != nullptr;
    s.output = output != nullptr ? *output : PaStreamParameters{};
    s.openedRate = rate;
    s.framesPerBuffer = framesPerBuffer;
    s.flags = flags;
    s.callback = callback;
    s.userData = userData;
    if (output == nullptr || output->device == paNoDevice)
        return paInvalidDevice;
    if (s.openResult != paNoError)
        return s.openResult;
    *stream = &streamToken;
    return paNoError;
}

PaError Pa_StartStream(PaStream*)
{
    library.calls += "start ";
    return library.startResult;
}

PaError Pa_StopStream(PaStream*)
{
    library.calls += "stop ";
    // As the real library does, it tells the stream has finished before the stop returns.
    if (library.finished != nullptr)
        library.finished(library.userData);
    return paNoError;
}

PaError Pa_CloseStream(PaStream*)
{
    library.calls += "close ";
    return paNoError;
}

} // extern "C"

namespace {

class CountingCallback : public PortAudioCallback {
public:
    void outputStarts(double framesPerSecond) override
    {
        startedAt = framesPerSecond;
        blocksBeforeStart = calls;
    }
    void getAudio(float* input, float* output, int frames) override
    {
        ++calls;
        lastInput = input;
        for (int i = 0; i < 2 * frames; ++i)
            output[i] = 0.25f;
        lastFrames = frames;
    }
    int calls = 0;
    double startedAt = 0.0;
    int blocksBeforeStart = -1;
    int lastFrames = -1;
    float* lastInput = nullptr;
};

class PortAudioDeviceTest : public ::testing::Test {
protected:
    void SetUp() override { library = FakeLibrary(); }

    // Configured as the application configures it.
    void configure(PortAudioDevice& device)
    {
        device.setCallback(&callback);
        device.setNumChannels(0, 2);
        device.setSamplerate(44100.0);
    }

    CountingCallback callback;
};

} // namespace

TEST_F(PortAudioDeviceTest, OpensOneStereoFloatOutputStreamOnTheDefaultDevice)
{
    CaptureStdout out;
    PortAudioDevice device;
    configure(device);
    EXPECT_TRUE(device.start());
    EXPECT_TRUE(device.isRunning());
    EXPECT_EQ(out.text(), "");
    EXPECT_EQ(library.calls, "initialise check open start ");

    EXPECT_FALSE(library.openedWithInput);
    EXPECT_EQ(library.output.device, defaultOutput);
    EXPECT_EQ(library.output.channelCount, 2);
    EXPECT_EQ(library.output.sampleFormat, paFloat32);
    EXPECT_EQ(library.output.suggestedLatency, library.deviceInfo.defaultHighOutputLatency);
    EXPECT_EQ(library.openedRate, 44100.0);
    EXPECT_EQ(library.framesPerBuffer, paFramesPerBufferUnspecified);
    EXPECT_EQ(library.flags, paNoFlag);
    EXPECT_EQ(library.userData, &device);
    EXPECT_EQ(callback.startedAt, 44100.0);
    EXPECT_EQ(callback.blocksBeforeStart, 0) << "told the rate before the first block";

    // The library's callback reaches our callback with the block as it came.
    std::vector<float> block(2 * 64, 0.0f);
    std::vector<float> input(2 * 64, 0.5f);
    ASSERT_NE(library.callback, nullptr);
    EXPECT_EQ(library.callback(input.data(), block.data(), 64, nullptr, 0, library.userData), paContinue);
    EXPECT_EQ(callback.calls, 1);
    EXPECT_EQ(callback.lastFrames, 64);
    EXPECT_EQ(callback.lastInput, input.data());
    EXPECT_EQ(block, std::vector<float>(2 * 64, 0.25f));

    // Without a callback object the block is left alone and the stream goes on.
    std::vector<float> untouched(8, -0.5f);
    EXPECT_EQ(PortAudioDevice::portAudioCallback(nullptr, untouched.data(), 4, nullptr, 0, nullptr), paContinue);
    EXPECT_EQ(untouched, std::vector<float>(8, -0.5f));

    // Starting again while running changes nothing.
    EXPECT_FALSE(device.start());
    EXPECT_EQ(library.calls, "initialise check open start ");

    // Stopping twice stops, closes and terminates once. An input stream is opened only when input
    // channels are asked; only the output is tested for the rate.
    device.stop();
    device.stop();
    EXPECT_EQ(library.calls, "initialise check open start stop close terminate ");
    device.setNumChannels(1, 2);
    EXPECT_TRUE(device.start());
    EXPECT_TRUE(library.openedWithInput);
    EXPECT_FALSE(library.formatCheckHadInput);
}

// A refused rate falls back to 48000 (tried even when refused too); a failure leaves one line and
// the library terminated. Destroying the device afterwards stops and closes what is open.
TEST_F(PortAudioDeviceTest, EachRefusalAndFailureIsOneLineAndLeavesTheLibraryAsItShould)
{
    using Library = FakeLibrary;
    const std::string fallback = "44100Hz samplerate not supported, using 48000Hz.\n";
    const std::string neither = fallback + "48000Hz not supported either?\n";
    const std::string notOpened = "PortAudioDevice Error: Could not open stream.\n";
    struct Case {
        const char* name;
        void (*arrange)(Library&);
        std::string line;
        std::string calls; // by start() and the destruction after it
        bool runs = false;
    };
    const Case cases[] = {
        {"44100 refused", [](Library& s) { s.refuse44100 = true; }, fallback,
         "initialise check check open start stop close terminate ", true},
        {"both refused", [](Library& s) { s.refuse44100 = s.refuse48000 = true; }, neither,
         "initialise check check open start stop close terminate ", true},
        {"initialise", [](Library& s) { s.initialiseResult = paNotInitialized; },
         "PortAudioDevice Error: Could not initialise.\n", "initialise "},
        {"open", [](Library& s) { s.openResult = paDeviceUnavailable; }, notOpened, "initialise check open terminate "},
        {"start", [](Library& s) { s.startResult = paUnanticipatedHostError; },
         "PortAudioDevice Error: Could not start stream.\n", "initialise check open start close terminate "},
        // A machine with no host API at all: no device to open, and nothing to crash on.
        {"no host", [](Library& s) { s.hasHostApi = false; }, notOpened, "initialise check open terminate "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        library = FakeLibrary();
        c.arrange(library);
        {
            CaptureStdout out;
            PortAudioDevice device;
            configure(device);
            EXPECT_EQ(device.start(), c.runs);
            EXPECT_EQ(device.isRunning(), c.runs);
            EXPECT_EQ(out.text(), c.line);
            if (c.runs) {
                EXPECT_EQ(library.openedRate, 48000.0);
                EXPECT_EQ(device.getSamplerate(), 48000.0);
                EXPECT_EQ(callback.startedAt, 48000.0);
            }
        }
        EXPECT_EQ(library.calls, c.calls);
    }
}

// A sound server grants the latency asked for literally, so the device's own suggestion is asked;
// without one a fixed 50 ms. The callback hears the rate the stream really runs at.
TEST_F(PortAudioDeviceTest, AsksTheDevicesLatencyAndTellsTheRateTheStreamRunsAt)
{
    {
        PortAudioDevice device;
        configure(device);
        library.hasDeviceInfo = false;
        library.runningRate = 22050.0;
        ASSERT_TRUE(device.start());
        EXPECT_EQ(library.output.suggestedLatency, 0.05);
        EXPECT_EQ(callback.startedAt, 22050.0);
        EXPECT_EQ(device.getSamplerate(), 22050.0);
    }
    // Zero, or any latency of a millisecond or two, underruns on a sound server.
    library = FakeLibrary();
    library.deviceInfo.defaultHighOutputLatency = 0.0;
    PortAudioDevice device;
    configure(device);
    ASSERT_TRUE(device.start());
    EXPECT_EQ(library.output.suggestedLatency, 0.0) << "the device's own value, whatever it is";
}

// The stream ends by itself when the sound server goes away: one line, the game plays on, and the
// stop after it is as quiet and complete as ever. A stop on purpose prints nothing.
TEST_F(PortAudioDeviceTest, AStreamThatDiesOnItsOwnIsReportedOnceAndStillStopsCleanly)
{
    CaptureStdout out;
    PortAudioDevice device;
    configure(device);
    ASSERT_TRUE(device.start());
    ASSERT_NE(library.finished, nullptr);
    library.finished(library.userData);
    EXPECT_EQ(out.text(), "PortAudioDevice Error: The sound stopped; playing on without it.\n");
    EXPECT_TRUE(device.isRunning()) << "until the game stops it";
    device.stop();
    EXPECT_EQ(library.calls, "initialise check open start stop close terminate ");
    EXPECT_EQ(out.text(), "PortAudioDevice Error: The sound stopped; playing on without it.\n");

    ASSERT_TRUE(device.start());
    device.stop();
    EXPECT_EQ(out.text(), "PortAudioDevice Error: The sound stopped; playing on without it.\n")
        << "a stream stopped on purpose is no news";
}

namespace {

// The frames where the left channel rises through zero, interpolated between frames.
std::vector<double> risingCrossings(const std::vector<float>& stereo)
{
    std::vector<double> at;
    for (std::size_t i = 1; 2 * i < stereo.size(); ++i) {
        const float before = stereo[2 * i - 2];
        const float now = stereo[2 * i];
        if (before < 0.0f && now >= 0.0f)
            at.push_back(static_cast<double>(i - 1) + before / (before - now));
    }
    return at;
}

} // namespace

// A device that only runs at 48000: every effect keeps its length and its pitch, its frames
// resampled from the 44100 they were made at.
TEST_F(PortAudioDeviceTest, AnEffectKeepsItsLengthAndPitchOnADeviceThatOnlyRunsAt48000)
{
    constexpr int effectFrames = 44100; // a second of a 220 Hz tone on the left
    std::array<Sounds::SoundFile, Sounds::typeCount> bank;
    bank[Sounds::Jump].samples.reset(new float[2 * effectFrames]);
    for (int i = 0; i < effectFrames; ++i) {
        bank[Sounds::Jump].samples[2 * i] =
            static_cast<float>(0.5 * std::sin(2.0 * std::numbers::pi * 220.0 * i / 44100.0));
        bank[Sounds::Jump].samples[2 * i + 1] = 0.25f;
    }
    bank[Sounds::Jump].frames = effectFrames;
    Sounds effects(std::move(bank));
    AudioMixer mixer(nullptr, &effects, false);

    library.refuse44100 = true;
    CaptureStdout out;
    PortAudioDevice device;
    device.setCallback(&mixer);
    device.setNumChannels(0, 2);
    device.setSamplerate(44100.0);
    ASSERT_TRUE(device.start());
    ASSERT_EQ(library.openedRate, 48000.0);

    effects.playSound(Sounds::Jump);
    // Blocks of uneven sizes, as a host may ask for them.
    std::vector<float> recorded;
    const int sizes[] = {480, 1024, 37, 512, 1};
    for (int b = 0; recorded.size() < 2 * 60000; ++b) {
        std::vector<float> block(2 * sizes[b % 5]);
        library.callback(nullptr, block.data(), sizes[b % 5], nullptr, 0, library.userData);
        recorded.insert(recorded.end(), block.begin(), block.end());
    }
    // The effect's length: the right channel holds 0.25 while it plays, and is silent after.
    std::size_t heard = 0;
    while (2 * heard + 1 < recorded.size() && recorded[2 * heard + 1] > 0.1f)
        ++heard;
    EXPECT_NEAR(static_cast<double>(heard), 48000.0, 480.0) << "a second at 44100 is a second at 48000";
    for (std::size_t i = heard + 2; 2 * i < recorded.size(); ++i)
        ASSERT_EQ(recorded[2 * i + 1], 0.0f) << "frame " << i;

    const std::vector<double> rising = risingCrossings(recorded);
    ASSERT_GT(rising.size(), 100u);
    const double hertz = static_cast<double>(rising.size() - 1) * 48000.0 / (rising.back() - rising.front());
    EXPECT_NEAR(hertz, 220.0, 2.2) << "the tone plays at its own pitch";
    std::printf("at 48000: the effect lasts %zu frames, its tone %.2f Hz\n", heard, hertz);
}

TEST_F(PortAudioDeviceTest, LibraryChatterOnStandardErrorIsKeptOffTheTerminal)
{
    library.initialiseChatter = "ALSA lib confmisc.c: cannot find card '0'\njack server is not running\n";
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    dup2(fileno(file), STDERR_FILENO);
    {
        PortAudioDevice device;
        configure(device);
        EXPECT_TRUE(device.start());
        std::fputs("the game's own complaint\n", stderr);
        // The library's line from its audio thread when the server under the stream goes away.
        std::fprintf(stderr, "Expression '%s' failed in '%s', line: %d\n", "PaAlsaStream_WaitForFrames( stream )",
                     "src/hostapi/alsa/pa_linux_alsa.c", 4285);
        std::fprintf(stderr, "Expression: %d\n", 2);
        std::fflush(stderr);
    }
    dup2(saved, STDERR_FILENO);
    close(saved);
    char written[256];
    std::rewind(file);
    const std::size_t length = std::fread(written, 1, sizeof written, file);
    std::fclose(file);
    EXPECT_EQ(std::string(written, length), "the game's own complaint\nExpression: 2\n")
        << "standard error comes back once the device is open, less the library's complaints";
}
