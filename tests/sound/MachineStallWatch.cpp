// Records what comes in on standard input (parec's raw float stereo at 44100) into a file, and
// notes every moment the machine itself stood still while it did: a thread at real-time priority
// that sleeps 2 ms and wakes late. On a virtual machine whose host takes the processors away for
// tens of milliseconds, every client of the sound server runs dry at once; that silence is the
// machine's, and the recording check tells it apart from the game's own.
// Usage: parec ... | machine_stall_watch <recording.raw> <stalls.txt>
// At the end of the input it writes each stall as "<start> <length>" in seconds of the recording.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <pthread.h>
#include <sched.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr double bytesPerSecond = 44100.0 * 2 * sizeof(float);
// Later than this, a wake-up counts as a stall: shorter ones the game's 50 ms of sound outlast.
constexpr auto stallAfter = std::chrono::milliseconds(10);
constexpr auto nap = std::chrono::milliseconds(2);

double seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <recording.raw> <stalls.txt>\n", argv[0]);
        return 2;
    }
    std::FILE* recording = std::fopen(argv[1], "wb");
    if (recording == nullptr) {
        std::perror(argv[1]);
        return 1;
    }

    // The watch's alone until it is joined.
    std::vector<std::pair<Clock::time_point, Clock::duration>> stalls;
    std::atomic<bool> done{false};
    std::thread watch([&] {
        // Real-time, so that the game's own load does not pass for a stall of the machine.
        sched_param priority{};
        priority.sched_priority = 10;
        if (pthread_setschedparam(pthread_self(), SCHED_FIFO, &priority) != 0)
            std::fprintf(stderr, "machine_stall_watch: no real-time priority here; busy spells count too\n");
        auto due = Clock::now() + nap;
        while (!done.load()) {
            std::this_thread::sleep_until(due);
            const Clock::time_point woke = Clock::now();
            if (woke - due > stallAfter)
                stalls.emplace_back(due, woke - due);
            due = woke + nap;
        }
    });

    // The recording's first frame came one chunk's length before the first chunk arrived.
    Clock::time_point firstFrame{};
    long long total = 0;
    char chunk[1 << 14];
    for (ssize_t got; (got = read(0, chunk, sizeof chunk)) > 0; total += got) {
        if (total == 0)
            firstFrame = Clock::now() - std::chrono::duration_cast<Clock::duration>(
                                            std::chrono::duration<double>(static_cast<double>(got) / bytesPerSecond));
        std::fwrite(chunk, 1, static_cast<std::size_t>(got), recording);
    }
    done.store(true);
    watch.join();
    std::fclose(recording);

    std::FILE* out = std::fopen(argv[2], "w");
    if (out == nullptr) {
        std::perror(argv[2]);
        return 1;
    }
    for (const auto& [at, length] : stalls) {
        if (total > 0 && at >= firstFrame)
            std::fprintf(out, "%.3f %.3f\n", seconds(at - firstFrame), seconds(length));
    }
    std::fclose(out);
    return 0;
}
