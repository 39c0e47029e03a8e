// The audio device against a stand-in library: the stream it opens, every failure line, the
// 48000 fallback, start and stop only once, and the library's chatter kept off the terminal.
#include "sound/PortAudioDevice.h"

#include "FakePortAudio.h"
#include "platform/PortAudioCallback.h"
#include "support/CaptureStdout.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

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
    void SetUp() override { FakePortAudio::reset(); }

    // Configured as the application configures it.
    void configure(PortAudioDevice& device)
    {
        device.setCallback(&callback);
        device.setNumChannels(0, 2);
        device.setSamplerate(44100.0);
    }

    FakePortAudio::State& library = FakePortAudio::state();
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

    EXPECT_FALSE(library.openedWithInput);
    EXPECT_FALSE(library.formatCheckHadInput);
    ASSERT_TRUE(library.openedWithOutput);
    EXPECT_EQ(library.output.device, FakePortAudio::defaultOutput);
    EXPECT_EQ(library.output.channelCount, 2);
    EXPECT_EQ(library.output.sampleFormat, paFloat32);
    EXPECT_EQ(library.output.suggestedLatency, 0.0);
    EXPECT_EQ(library.openedRate, 44100.0);
    EXPECT_EQ(library.framesPerBuffer, paFramesPerBufferUnspecified);
    EXPECT_EQ(library.flags, paNoFlag);
    EXPECT_EQ(library.userData, &callback);
    EXPECT_EQ(library.startCalls, 1);

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
    EXPECT_EQ(library.initialiseCalls, 1);
    EXPECT_EQ(library.openCalls, 1);
    EXPECT_EQ(library.startCalls, 1);

    // An input stream is opened only when input channels are asked; only the output is tested for
    // the rate.
    device.stop();
    device.setNumChannels(1, 2);
    EXPECT_TRUE(device.start());
    EXPECT_TRUE(library.openedWithInput);
    EXPECT_FALSE(library.formatCheckHadInput);
}

TEST_F(PortAudioDeviceTest, StopAndDestructionStopCloseAndTerminateOnceAndOnlyWhatStarted)
{
    enum Ending { StoppedTwice, Destroyed, NeverStarted };
    for (const Ending ending : {StoppedTwice, Destroyed, NeverStarted}) {
        FakePortAudio::reset();
        {
            PortAudioDevice device;
            configure(device);
            if (ending != NeverStarted) {
                ASSERT_TRUE(device.start());
            }
            if (ending != Destroyed) {
                device.stop();
                EXPECT_FALSE(device.isRunning());
                device.stop();
            }
        } // destruction stops a running device
        const int once = ending == NeverStarted ? 0 : 1;
        EXPECT_EQ(library.initialiseCalls, once) << ending;
        EXPECT_EQ(library.stopCalls, once) << ending;
        EXPECT_EQ(library.closeCalls, once) << ending;
        EXPECT_EQ(library.terminateCalls, once) << ending;
    }
}

TEST_F(PortAudioDeviceTest, DeviceThatRefuses44100RunsAt48000WithALine)
{
    for (const bool refuses48000 : {false, true}) {
        FakePortAudio::reset();
        library.refuse44100 = true;
        library.refuse48000 = refuses48000; // still tried
        CaptureStdout out;
        PortAudioDevice device;
        configure(device);
        EXPECT_TRUE(device.start());
        EXPECT_EQ(out.text(), std::string("44100Hz samplerate not supported, using 48000Hz.\n") +
                                  (refuses48000 ? "48000Hz not supported either?\n" : ""));
        EXPECT_EQ(library.openedRate, 48000.0);
        EXPECT_EQ(device.getSamplerate(), 48000.0);
    }
}

TEST_F(PortAudioDeviceTest, EachFailureIsOneLineAndLeavesTheLibraryTerminated)
{
    struct Case {
        const char* name;
        void (*arrange)(FakePortAudio::State&);
        const char* line;
        int terminates;
        int closes;
    };
    const Case cases[] = {
        {"initialise", [](FakePortAudio::State& s) { s.initialiseResult = paNotInitialized; },
         "PortAudioDevice Error: Could not initialise.\n", 0, 0},
        {"open", [](FakePortAudio::State& s) { s.openResult = paDeviceUnavailable; },
         "PortAudioDevice Error: Could not open stream.\n", 1, 0},
        {"start", [](FakePortAudio::State& s) { s.startResult = paUnanticipatedHostError; },
         "PortAudioDevice Error: Could not start stream.\n", 1, 1},
        // A machine with no host API at all: no device to open, and nothing to crash on.
        {"no host", [](FakePortAudio::State& s) { s.hasHostApi = false; },
         "PortAudioDevice Error: Could not open stream.\n", 1, 0},
        {"neither rate",
         [](FakePortAudio::State& s) {
             s.refuse44100 = s.refuse48000 = true;
             s.openResult = paInvalidSampleRate;
         },
         "44100Hz samplerate not supported, using 48000Hz.\n48000Hz not supported either?\n"
         "PortAudioDevice Error: Could not open stream.\n",
         1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePortAudio::reset();
        c.arrange(library);
        {
            CaptureStdout out;
            PortAudioDevice device;
            configure(device);
            EXPECT_FALSE(device.start());
            EXPECT_FALSE(device.isRunning());
            EXPECT_EQ(out.text(), c.line);
        } // destroying a device that never ran touches nothing more
        EXPECT_EQ(library.terminateCalls, c.terminates);
        EXPECT_EQ(library.closeCalls, c.closes);
        EXPECT_EQ(library.stopCalls, 0);
    }
}

TEST_F(PortAudioDeviceTest, LibraryChatterOnStandardErrorIsKeptOffTheTerminal)
{
    library.initialiseChatter = "ALSA lib confmisc.c: cannot find card '0'\njack server is not running\n";
    char path[] = "/tmp/brickwrath-stderr-XXXXXX";
    const int file = mkstemp(path);
    ASSERT_GE(file, 0);
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    dup2(file, STDERR_FILENO);
    {
        PortAudioDevice device;
        configure(device);
        EXPECT_TRUE(device.start());
        std::fputs("the game's own complaint\n", stderr);
        std::fflush(stderr);
    }
    dup2(saved, STDERR_FILENO);
    close(saved);
    close(file);
    std::ifstream in(path);
    const std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::remove(path);
    EXPECT_EQ(written, "the game's own complaint\n") << "standard error comes back once the device is open";
}
