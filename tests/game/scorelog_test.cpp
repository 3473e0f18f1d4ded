#include "scorelog.h"

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/resource.h>

#include "../scratch_dir.h"

using ScoreLog = ScratchDirTest;
using testing::internal::RE;

#define NEW_LINE LOG_TIME "\t42\t3 rows\n"
#define OLD "printf 'old\\n' >scores.txt"

// The line goes in whole or not at all, earlier lines stay, another game's
// lock is respected, and nothing but a regular file is opened.
TEST_F(ScoreLog, ALineGoesInWholeOrNotAtAll) {
    // The file, the bytes it may grow by (0: no limit), whether another game
    // holds the lock, the bytes after or a shell test, the message if not saved.
    const struct {
        const char *name, *set_up;
        int room;
        bool locked;
        const char *after, *why;
    } cases[] = {
        {"no file yet", "true", 0, false, NEW_LINE, ""},
        {"earlier lines", OLD, 0, false, "old\n" NEW_LINE, ""},
        {"no last newline", "printf 'edited' >scores.txt", 0, false, "edited\n" NEW_LINE, ""},
        {"a full disk", OLD, 10, false, "old\n", "File too large"},
        {"locked by another game", OLD, 0, true, "old\n", "another game kept it locked"},
        {"a FIFO", "mkfifo scores.txt", 0, false, "test -p scores.txt", "not a regular"},
    };
    for (const auto &c : cases) {
        ASSERT_EQ(system("rm -rf scores.txt"), 0);
        ASSERT_EQ(system(c.set_up), 0) << c.name;
        // A size limit stops the write part-way, as a full disk does.
        rlimit unlimited, limit;
        getrlimit(RLIMIT_FSIZE, &unlimited);
        limit = unlimited;
        if (c.room) limit.rlim_cur = read_file("scores.txt").size() + c.room;
        signal(SIGXFSZ, SIG_IGN);
        int holder = open("scores.txt", O_RDONLY | O_NONBLOCK);
        if (c.locked) flock(holder, LOCK_EX);
        // The message in memory, which the limit does not cut.
        char said[512] = {};
        FILE *error_output = stderr;
        stderr = fmemopen(said, sizeof said - 1, "w");
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
        alarm(10); // a call that blocks ends the test
        bool saved = append_score_line(42, 3);
        alarm(0);
        setrlimit(RLIMIT_FSIZE, &unlimited);
        fclose(stderr), stderr = error_output;
        close(holder);
        EXPECT_EQ(saved, !*c.why) << c.name;
        EXPECT_EQ(said[0] != 0, !saved) << c.name << ": said";
        EXPECT_NE(strstr(said, c.why), nullptr) << c.name << ": " << said;
        if (!strncmp(c.after, "test ", 5))
            EXPECT_EQ(system(c.after), 0) << c.name;
        else
            EXPECT_TRUE(RE::FullMatch(read_file("scores.txt"), c.after))
                << c.name << ": " << read_file("scores.txt");
    }
}
