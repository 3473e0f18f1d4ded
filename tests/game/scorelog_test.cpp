#include "scorelog.h"

#include <csignal>
#include <string>
#include <sys/resource.h>
#include <cstring>

#include "../scratch_dir.h"

using ScoreLog = ScratchDirTest;
using testing::internal::RE;

#define NEW_LINE LOG_TIME "\t42\t3 rows\n"

// What scores.txt is before the game ends: the line goes in whole or not at
// all, earlier bytes never change, and nothing but a regular file is opened.
TEST_F(ScoreLog, ALineGoesInWholeOrNotAtAll) {
    // Each case: how the file is made, the bytes it may grow by (a full disk; 0:
    // no limit), whether the line is saved, the bytes after or a shell test.
    // clang-format off
    const struct { const char *name, *set_up; int room; bool saved; const char *after; } cases[] = {
        {"no file yet", "true", 0, true, NEW_LINE},
        {"earlier lines", "printf 'old\\n' >scores.txt", 0, true, "old\n" NEW_LINE},
        {"last line without its newline", "printf 'hand edited' >scores.txt", 0, true, "hand edited\n" NEW_LINE},
        {"an empty file", "touch scores.txt", 0, true, NEW_LINE},
        {"a link to a file", "printf 'old\\n' >target && ln -s target scores.txt", 0, true, "old\n" NEW_LINE},
        {"a full disk", "printf 'old\\n' >scores.txt", 10, false, "old\n"},
        {"a FIFO without a reader", "mkfifo scores.txt", 0, false, "test -p scores.txt"},
        {"a directory", "mkdir scores.txt", 0, false, "test -d scores.txt"},
        {"a link to a device", "ln -s /dev/null scores.txt", 0, false, "test -c scores.txt"},
    };
    // clang-format on
    for (const auto &c : cases) {
        ASSERT_EQ(system("rm -rf scores.txt target"), 0);
        ASSERT_EQ(system(c.set_up), 0) << c.name;
        // A file-size limit a few bytes above the file makes the real write
        // stop part-way, as a full disk does.
        rlimit unlimited, limit;
        getrlimit(RLIMIT_FSIZE, &unlimited);
        limit = unlimited;
        if (c.room) limit.rlim_cur = read_file("scores.txt").size() + c.room;
        signal(SIGXFSZ, SIG_IGN);
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
        int free_descriptor = dup(0);
        close(free_descriptor);
        alarm(10); // a call that blocks ends the test
        bool saved = append_score_line(42, 3);
        alarm(0);
        int next_descriptor = dup(0);
        close(next_descriptor);
        setrlimit(RLIMIT_FSIZE, &unlimited);
        EXPECT_EQ(saved, c.saved) << c.name;
        EXPECT_EQ(next_descriptor, free_descriptor) << c.name << ": the file closed";
        if (!strncmp(c.after, "test ", 5))
            EXPECT_EQ(system(c.after), 0) << c.name << ": left as it was";
        else
            EXPECT_TRUE(RE::FullMatch(read_file("scores.txt"), c.after))
                << c.name << ": " << read_file("scores.txt");
    }
}
