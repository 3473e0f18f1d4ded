#include "scorelog.h"

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/syscall.h>

#include "../scratch_dir.h"

using ScoreLog = ScratchDirTest;
using testing::internal::RE;

#define NEW_LINE LOG_TIME "\t42\t3 rows\n"
#define OLD "printf 'old\\n' >scores.txt"

// Another game ending at the same moment: armed, it appends a line before
// this game's first write, or once the lock is free.
static bool other_game_armed;
static int other_game_waiting = -1;

static void other_game_appends(int fd) {
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) syscall(SYS_write, fd, "other\n", 6);
    close(fd);
}

extern "C" ssize_t write(int fd, const void *data, size_t size) {
    if (other_game_armed) {
        other_game_armed = false;
        other_game_waiting = open("scores.txt", O_WRONLY | O_APPEND);
        if (flock(other_game_waiting, LOCK_EX | LOCK_NB) == 0)
            other_game_appends(other_game_waiting), other_game_waiting = -1;
    }
    return syscall(SYS_write, fd, data, size);
}

// The line goes in whole or not at all, earlier lines and other games'
// stay, and nothing but a regular file is opened.
TEST_F(ScoreLog, ALineGoesInWholeOrNotAtAll) {
    enum Other { ALONE, ENDS_TOO, LOCKS };
    // The file, the bytes it may grow by (0: no limit), another game, whether
    // saved, the bytes after or a shell test, the message.
    const struct {
        const char *name, *set_up;
        int room;
        Other other;
        bool saved;
        const char *after, *why;
    } cases[] = {
        {"no file yet", "true", 0, ALONE, true, NEW_LINE, ""},
        {"earlier lines", OLD, 0, ALONE, true, "old\n" NEW_LINE, ""},
        {"no last newline", "printf 'edited' >scores.txt", 0, ALONE, true, "edited\n" NEW_LINE, ""},
        {"a full disk", OLD, 10, ALONE, false, "old\n", "File too large"},
        {"a full disk, another game", OLD, 10, ENDS_TOO, false, "old\nother\n", "File too large"},
        {"locked by another game", OLD, 0, LOCKS, false, "old\n", "another game kept it locked"},
        {"a FIFO", "mkfifo scores.txt", 0, ALONE, false, "test -p scores.txt", "not a regular"},
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
        if (c.other == LOCKS) flock(holder, LOCK_EX);
        other_game_armed = c.other == ENDS_TOO;
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
        if (other_game_waiting >= 0) other_game_appends(other_game_waiting);
        other_game_waiting = -1;
        close(holder);
        EXPECT_EQ(saved, c.saved) << c.name;
        EXPECT_EQ(said[0] != 0, !c.saved) << c.name << ": said";
        EXPECT_NE(strstr(said, c.why), nullptr) << c.name << ": " << said;
        if (!strncmp(c.after, "test ", 5))
            EXPECT_EQ(system(c.after), 0) << c.name;
        else
            EXPECT_TRUE(RE::FullMatch(read_file("scores.txt"), c.after))
                << c.name << ": " << read_file("scores.txt");
    }
}
