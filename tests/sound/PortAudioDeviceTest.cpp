// The audio device against a stand-in library: the stream it opens, every failure line, the
// 48000 fallback, start and stop only once, and the library's chatter kept off the terminal.
#include "sound/PortAudioDevice.h"

#include "platform/PortAudioCallback.h"
#include "support/CaptureStdout.h"

#include <gtest/gtest.h>
#include <portaudio.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
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
    void getAudio(float* input, float* output, int frames) override
    {
        ++calls;
        lastInput = input;
        for (int i = 0; i < 2 * frames; ++i)
            output[i] = 0.25f;
        lastFrames = frames;
    }
    int calls = 0;
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
    EXPECT_EQ(library.output.suggestedLatency, 0.0);
    EXPECT_EQ(library.openedRate, 44100.0);
    EXPECT_EQ(library.framesPerBuffer, paFramesPerBufferUnspecified);
    EXPECT_EQ(library.flags, paNoFlag);
    EXPECT_EQ(library.userData, &callback);

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
            }
        }
        EXPECT_EQ(library.calls, c.calls);
    }
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
        std::fflush(stderr);
    }
    dup2(saved, STDERR_FILENO);
    close(saved);
    char written[256];
    std::rewind(file);
    const std::size_t length = std::fread(written, 1, sizeof written, file);
    std::fclose(file);
    EXPECT_EQ(std::string(written, length), "the game's own complaint\n")
        << "standard error comes back once the device is open";
}
