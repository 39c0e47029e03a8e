// A game killed while it writes its records: a child process writes a new pair of values again and
// again and is killed at a random moment, hundreds of times. The file must then always read back
// as the pair before the write that was under way (old) or as that write's own pair (new).
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "app/RecordsFile.h"
#include "support/TempHome.h"

namespace {

// The k-th write's pair: every one different, and every one a file the reader takes.
Records::Best pair(long k)
{
    return {static_cast<int>(9 + k % 900000), static_cast<int>(2 + k % 99991)};
}

// Writes pair(k), pair(k + 1), ... to the file until killed, telling `done` the number of each
// write that has returned.
[[noreturn]] void writeForever(const RecordsFile& file, long k, int done)
{
    std::ostringstream quiet;
    for (;; ++k) {
        if (!file.save(pair(k), quiet))
            _exit(2);
        if (write(done, &k, sizeof k) != sizeof k)
            _exit(3);
    }
}

} // namespace

TEST(RecordsKill, AKilledWriteLeavesTheOldRecordsOrTheNewNeverADamagedFile)
{
    TempHome home;
    const RecordsFile file(home.path() + "/Tambrel.records");
    std::ostringstream out;
    ASSERT_TRUE(file.save(pair(0), out));
    long last = 0; // the pair the file is known to hold before the next child
    const unsigned seed = std::random_device()();
    std::mt19937 random(seed);
    // Up to two milliseconds: a write with its flushes takes some tens of microseconds to a few
    // milliseconds, so the kills land before, inside and between writes.
    std::uniform_int_distribution<int> delay(0, 2000);
    int kills = 0;
    int olds = 0;
    int news = 0;
    for (; kills < 300; ++kills) {
        int pipeEnds[2];
        ASSERT_EQ(pipe(pipeEnds), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(pipeEnds[0]);
            writeForever(file, last + 1, pipeEnds[1]);
        }
        close(pipeEnds[1]);
        usleep(static_cast<useconds_t>(delay(random)));
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself, status " << status;
        for (long done = 0; read(pipeEnds[0], &done, sizeof done) == sizeof done;)
            last = done;
        close(pipeEnds[0]);

        std::ostringstream said;
        const Records::Best found = file.load(said);
        ASSERT_EQ(said.str(), "") << "after kill " << kills << " (seed " << seed << ")";
        if (found == pair(last)) {
            ++olds;
        } else {
            ASSERT_EQ(found, pair(last + 1)) << "after kill " << kills << " (seed " << seed << ")";
            ++news;
            ++last;
        }
    }
    // Beside the file at most the one temporary file a killed write leaves.
    EXPECT_LE(std::distance(std::filesystem::directory_iterator(home.path()), {}), 2);
    std::printf("%d kills (seed %u): %d found the old records, %d the new; %ld writes in all\n", kills, seed, olds,
                news, last);
}
