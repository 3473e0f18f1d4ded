#include "scorelog.h"

#include <csignal>
#include <cstdarg>
#include <dlfcn.h>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include "../scratch_dir.h"

using ScoreLog = ScratchDirTest;

// flock, but failing with flock_error when that is set.
static int flock_error;
extern "C" int flock(int fd, int operation) {
    static auto real = (int (*)(int, int))dlsym(RTLD_NEXT, "flock");
    errno = flock_error;
    return flock_error ? -1 : real(fd, operation);
}

// fsync, but failing after another game's line when another_game is set.
static bool another_game;
extern "C" int fsync(int fd) {
    static auto real = (int (*)(int))dlsym(RTLD_NEXT, "fsync");
    if (!another_game) return real(fd);
    int other = open("scores.txt", O_WRONLY | O_APPEND);
    EXPECT_EQ(write(other, "other\n", 6), 6);
    close(other);
    errno = EIO;
    return -1;
}

// open, but refusing the next refused_opens opens.
static int refused_opens;
extern "C" int open(const char *path, int flags, ...) {
    static auto real = (int (*)(const char *, int, ...))dlsym(RTLD_NEXT, "open");
    va_list rest;
    va_start(rest, flags);
    int mode = flags & O_CREAT ? va_arg(rest, int) : 0;
    va_end(rest);
    errno = EACCES;
    return refused_opens > 0 ? (refused_opens--, -1) : real(path, flags, mode);
}

#define NEW_LINE "2026-Dec-05 04:55:49\t42\t3 rows\n" // dated ENDED
static const time_t ENDED = 1796446549;
#define OLD "printf 'old\\n' >scores.txt"
#define EIO_TEXT "Input/output error"
#define FIFO "mkfifo scores.txt"

// After earlier lines, in turns.
TEST_F(ScoreLog, ALineGoesInWholeOrNotAtAll) {
    // room: bytes the file may grow by; refused: opens of the log refused.
    const struct {
        const char *name, *set_up;
        int room, lock_error, refused;
        bool intruder, locked;
        const char *after, *why;
    } cases[] = {
        {"no file yet", "true", 0, 0, 0, false, false, NEW_LINE, ""},
        {"no last newline", "printf x >scores.txt", 0, 0, 0, false, false, "x\n" NEW_LINE, ""},
        {"a full disk", OLD, 10, 0, 0, false, false, "old\n", "File too large"},
        {"locked", OLD, 0, 0, 0, false, true, "old\n", "another game kept it locked"},
        {"no lock, another", OLD, 0, ENOLCK, 0, true, false, "old\n" NEW_LINE "other\n", EIO_TEXT},
        {"a lock error", OLD, 0, EIO, 0, false, false, "old\n", EIO_TEXT},
        {"write-only", "true", 0, 0, 1, false, false, NEW_LINE, ""},
        {"no access", OLD, 0, 0, 2, false, false, "old\n", "Permission denied"},
        {"a FIFO", FIFO, 0, 0, 0, false, false, "test -p scores.txt", "not a regular file"},
    };
    umask(022);
    const double own_patience = score_log_patience;
    for (const auto &c : cases) {
        ASSERT_EQ(system("rm -rf scores.txt"), 0);
        ASSERT_EQ(system(c.set_up), 0) << c.name;
        // A size limit stops the write part-way, as a full disk does.
        rlimit unlimited, limit;
        getrlimit(RLIMIT_FSIZE, &unlimited);
        limit = unlimited;
        if (c.room) limit.rlim_cur = read_file("scores.txt").size() + c.room;
        signal(SIGXFSZ, SIG_IGN);
        int holder = open("scores.txt", O_RDONLY | O_NONBLOCK); // another game's
        if (c.locked) flock(holder, LOCK_EX);
        char said[512] = {}; // in memory: the size limit would cut a file
        FILE *error_output = stderr;
        stderr = fmemopen(said, sizeof said - 1, "w");
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
        alarm(20); // a call that blocks ends the test
        score_log_patience = c.locked ? 0.3 : own_patience;
        flock_error = c.lock_error;
        another_game = c.intruder;
        refused_opens = c.refused;
        bool saved = append_score_line(42, 3, ENDED);
        flock_error = 0;
        another_game = false;
        alarm(0);
        close(holder);
        setrlimit(RLIMIT_FSIZE, &unlimited);
        fclose(stderr);
        stderr = error_output;
        EXPECT_EQ(saved, !*c.why) << c.name;
        EXPECT_EQ(said, *c.why ? "spinwell: could not save the score to scores.txt: " +
                                     std::string(c.why) + "\n"
                               : "")
            << c.name;
        if (!strncmp(c.after, "test ", 5))
            EXPECT_EQ(system(c.after), 0) << c.name;
        else
            EXPECT_TRUE(RE::FullMatch(read_file("scores.txt"), c.after))
                << c.name << ": " << read_file("scores.txt");
        struct stat made = {};
        stat("scores.txt", &made);
        EXPECT_EQ(made.st_mode & 07777, 0644u) << c.name << ": the mode";
    }
}
