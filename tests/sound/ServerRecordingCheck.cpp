// Checks what the sound server's monitor recorded of a game: the title screen's music at the level
// its fade has reached, second by second; no block of silence once it has begun; and a jump heard
// in the race that follows, where it is found and the title screen, which plays none, is the
// control. Silence while the machine itself stood still (machine_stall_watch's list) is the
// machine's, not the game's, and is counted apart. Prints every figure; the exit status says
// whether all held.
// Usage: server_recording_check <recording: raw float stereo at 44100> <sounds folder> <title seconds>
//        [<stalls: "<start> <length>" in seconds of the recording, a line each>]
#include "SoundFixtures.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr std::size_t rate = 44100;
constexpr std::size_t silentBlock = rate / 100;

std::vector<float> readRaw(const std::string& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::vector<float> samples(static_cast<std::size_t>(in.tellg()) / sizeof(float) / 2 * 2);
    in.seekg(0);
    in.read(reinterpret_cast<char*>(samples.data()), static_cast<std::streamsize>(samples.size() * sizeof(float)));
    return samples;
}

double rmsOf(const std::vector<float>& stereo, std::size_t from, std::size_t frames)
{
    double sum = 0.0;
    for (std::size_t i = 2 * from; i < 2 * (from + frames); ++i)
        sum += static_cast<double>(stereo[i]) * stereo[i];
    return std::sqrt(sum / static_cast<double>(2 * frames));
}

// The music as the game mixes it from its first frame: the file looped, at half level, times a
// gain that grows by a millionth a frame up to one.
double expectedRms(const std::vector<float>& music, std::size_t from, std::size_t frames)
{
    const std::size_t length = music.size() / 2;
    double sum = 0.0;
    for (std::size_t i = from; i < from + frames; ++i) {
        const double gain = 0.5 * std::min(1.0, static_cast<double>(i) * 1e-6);
        for (int c = 0; c < 2; ++c) {
            const double s = gain * music[2 * (i % length) + c];
            sum += s * s;
        }
    }
    return std::sqrt(sum / static_cast<double>(2 * frames));
}

struct Stall {
    double start = 0.0;
    double length = 0.0;
};

std::vector<Stall> readStalls(const std::string& path)
{
    std::vector<Stall> stalls;
    std::ifstream in(path);
    for (Stall stall; in >> stall.start >> stall.length;)
        stalls.push_back(stall);
    return stalls;
}

// Silence at `second` of the recording that a stall of the machine explains: from a little before
// it (the watch and the recording are placed to about 10 ms) until the game's stream, made anew
// after running dry, is heard again.
bool duringStall(const std::vector<Stall>& stalls, double second)
{
    for (const Stall& stall : stalls) {
        if (second >= stall.start - 0.05 && second <= stall.start + stall.length + 0.2)
            return true;
    }
    return false;
}

struct Match {
    std::size_t at = 0;
    double score = -1.0;
};

// Where the whole effect (mono, normalised cross-correlation) best fits from frame `from` to `to`.
// The jump swells from a whisper, so its opening alone would drown in the race's other sounds.
Match bestFit(const std::vector<float>& recording, const std::vector<float>& effect, std::size_t from, std::size_t to)
{
    const std::size_t n = effect.size() / 2;
    std::vector<float> pattern(n);
    double patternEnergy = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        pattern[i] = effect[2 * i] + effect[2 * i + 1];
        patternEnergy += static_cast<double>(pattern[i]) * pattern[i];
    }
    std::vector<float> mono(recording.size() / 2);
    for (std::size_t i = 0; i < mono.size(); ++i)
        mono[i] = recording[2 * i] + recording[2 * i + 1];
    Match best;
    to = std::min(to, mono.size() > n ? mono.size() - n : 0);
    double energy = 0.0;
    for (std::size_t i = from; i < from + n && i < mono.size(); ++i)
        energy += static_cast<double>(mono[i]) * mono[i];
    for (std::size_t start = from; start < to; ++start) {
        float dot = 0.0f;
        for (std::size_t i = 0; i < n; ++i)
            dot += mono[start + i] * pattern[i];
        const double score = energy > 0.0 ? dot / std::sqrt(energy * patternEnergy) : 0.0;
        if (score > best.score)
            best = {start, score};
        energy +=
            static_cast<double>(mono[start + n]) * mono[start + n] - static_cast<double>(mono[start]) * mono[start];
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: %s <recording.raw> <sounds folder> <title seconds> [<stalls.txt>]\n", argv[0]);
        return 2;
    }
    const std::vector<float> recording = readRaw(argv[1]);
    const std::string sounds = std::string(argv[2]) + "/";
    const std::size_t titleSeconds = std::stoul(argv[3]);
    const std::vector<Stall> stalls = argc == 5 ? readStalls(argv[4]) : std::vector<Stall>{};
    const std::vector<float> music = SoundFixtures::decodeFirstStream(sounds + "music.ogg");
    const std::vector<float> jump = SoundFixtures::decodeFirstStream(sounds + "jump.ogg");
    const std::size_t frames = recording.size() / 2;
    bool good = !music.empty() && !jump.empty();
    // The alignment below reads the recording's first three seconds and the music's first four.
    if (frames < 3 * rate || music.size() / 2 < 4 * rate) {
        std::printf("FAILED: %.2f s recorded, too little to look at\n", static_cast<double>(frames) / rate);
        return 1;
    }

    // Where the game's first frame of music falls in the recording (before its start, when the
    // server was quicker to play than to record): the music's frames that fit one second of the
    // recording best.
    const std::size_t probe = 2 * rate;
    Match aligned;
    for (std::size_t m = 0; m + rate <= 4 * rate; ++m) {
        double dot = 0.0, energy = 0.0, ours = 0.0;
        for (std::size_t i = 0; i < rate; i += 7) {
            const double e = 0.5 * static_cast<double>(m + i) * 1e-6 * music[2 * (m + i)];
            dot += e * recording[2 * (probe + i)];
            energy += e * e;
            ours += static_cast<double>(recording[2 * (probe + i)]) * recording[2 * (probe + i)];
        }
        const double score = energy > 0.0 && ours > 0.0 ? dot / std::sqrt(energy * ours) : 0.0;
        if (score > aligned.score)
            aligned = {m, score};
    }
    // Recording frame r holds the music's frame r + shift.
    const long shift = static_cast<long>(aligned.at) - static_cast<long>(probe);
    std::printf("recorded %.2f s; the game's music starts at %.3f s of it (fit %.4f)\n",
                static_cast<double>(frames) / rate, -static_cast<double>(shift) / rate, aligned.score);
    auto frameOf = [shift](std::size_t musicFrame) { return static_cast<long>(musicFrame) - shift; };
    if (frameOf((titleSeconds + 1) * rate) > static_cast<long>(frames)) {
        std::printf("FAILED: the recording is shorter than the title screen\n");
        return 1;
    }

    double worst = 0.0;
    for (std::size_t s = 0; s < titleSeconds; ++s) {
        if (frameOf(s * rate) < 0) {
            std::printf("second %2zu: before the recording began\n", s);
            continue;
        }
        const double heard = rmsOf(recording, static_cast<std::size_t>(frameOf(s * rate)), rate);
        const double wanted = expectedRms(music, s * rate, rate);
        const double off = heard / wanted - 1.0;
        worst = std::max(worst, std::fabs(off));
        std::printf("second %2zu: RMS %.5f, the music's fade %.5f, %+.1f %%\n", s, heard, wanted, 100.0 * off);
        good = good && std::fabs(off) <= 0.10;
    }
    std::printf("largest difference from the fade: %.1f %%\n", 100.0 * worst);
    std::size_t silent = 0;
    std::size_t theMachines = 0;
    std::size_t blocks = 0;
    for (std::size_t b = static_cast<std::size_t>(frameOf(rate)); b + silentBlock <= frames;
         b += silentBlock, ++blocks) {
        if (rmsOf(recording, b, silentBlock) != 0.0)
            continue;
        ++silent;
        theMachines += duringStall(stalls, static_cast<double>(b) / rate) ? 1 : 0;
    }
    double longest = 0.0;
    for (const Stall& stall : stalls)
        longest = std::max(longest, stall.length);
    std::printf("silent 10 ms blocks after the first second: %zu of %zu, %zu of them while the machine stood still "
                "(%zu stalls of 10 ms or more, the longest %.0f ms)\n",
                silent, blocks, theMachines, stalls.size(), 1000.0 * longest);
    good = good && silent == theMachines;

    // The jump: against the race, and against the title screen's last seconds, which have none.
    const std::size_t raceFrom = static_cast<std::size_t>(frameOf(titleSeconds * rate));
    const Match race = bestFit(recording, jump, raceFrom, frames);
    const Match title = bestFit(recording, jump, raceFrom - 5 * rate, raceFrom);
    std::printf("the jump fits the race best where it starts at %.3f s (%.3f), the title screen at most %.3f\n",
                static_cast<double>(race.at) / rate, race.score, title.score);
    // Eight runners jump close together over the music and the wall, so a jump never fits alone:
    // races heard whole have fitted from 0.38 to 0.98, as the jumps happened to overlap. With no
    // jump at all (or none heard) the fit stays near the title screen's, below 0.05 so far.
    good = good && race.score >= 0.25 && title.score < 0.2;
    std::printf(good ? "all held\n" : "FAILED\n");
    return good ? 0 : 1;
}
