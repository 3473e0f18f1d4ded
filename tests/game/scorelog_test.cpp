#include "scorelog.h"

#include <csignal>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>

#include "../scratch_dir.h"

using ScoreLog = ScratchDirTest;
using testing::internal::RE;

#define NEW_LINE LOG_TIME "\t42\t3 rows\n"

// What scores.txt is before the game ends: the line goes in whole or not at
// all, earlier bytes never change, and nothing but a regular file is opened.
TEST_F(ScoreLog, ALineGoesInWholeOrNotAtAll) {
    enum Kind { NONE, FILE, FILE_LINK, FULL_DISK, FIFO, DIRECTORY, DEVICE_LINK };
    const struct {
        const char *name;
        Kind kind;
        const char *before;
        bool saved;
        const char *after; // pattern for the bytes afterwards
    } cases[] = {
        {"no file yet", NONE, "", true, NEW_LINE},
        {"earlier lines", FILE, "2020-Jan-01 00:00:00\t5\t2 rows\n", true,
         "2020-Jan-01 00:00:00\t5\t2 rows\n" NEW_LINE},
        {"last line without its newline", FILE, "hand edited", true, "hand edited\n" NEW_LINE},
        {"an empty file", FILE, "", true, NEW_LINE},
        {"a link to a file", FILE_LINK, "old\n", true, "old\n" NEW_LINE},
        {"a full disk", FULL_DISK, "2020-Jan-01 00:00:00\t5\t2 rows\n", false,
         "2020-Jan-01 00:00:00\t5\t2 rows\n"},
        {"a FIFO without a reader", FIFO, "", false, ""},
        {"a directory", DIRECTORY, "", false, ""},
        {"a link to a device", DEVICE_LINK, "", false, ""},
    };
    for (const auto &c : cases) {
        ASSERT_EQ(system("rm -rf scores.txt target"), 0);
        const char *file = c.kind == FILE_LINK ? "target" : "scores.txt";
        if (c.kind == FILE || c.kind == FILE_LINK || c.kind == FULL_DISK)
            std::ofstream(file, std::ios::binary) << c.before;
        int made = c.kind == FILE_LINK     ? symlink("target", "scores.txt")
                   : c.kind == FIFO        ? mkfifo("scores.txt", 0644)
                   : c.kind == DIRECTORY   ? mkdir("scores.txt", 0755)
                   : c.kind == DEVICE_LINK ? symlink("/dev/null", "scores.txt")
                                           : 0;
        ASSERT_EQ(made, 0) << c.name;
        // A file-size limit a few bytes above the file makes the real write
        // stop part-way, as a full disk does.
        rlimit old_limit, limit;
        getrlimit(RLIMIT_FSIZE, &old_limit);
        limit = old_limit;
        if (c.kind == FULL_DISK) limit.rlim_cur = strlen(c.before) + 10;
        signal(SIGXFSZ, SIG_IGN);
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
        alarm(10); // a call that blocks ends the test
        testing::internal::CaptureStderr();
        bool saved = append_score_line(42, 3);
        std::string said = testing::internal::GetCapturedStderr();
        alarm(0);
        setrlimit(RLIMIT_FSIZE, &old_limit);

        EXPECT_EQ(saved, c.saved) << c.name;
        EXPECT_EQ(said.empty(), c.saved) << c.name << ": " << said;
        struct stat info;
        ASSERT_EQ(lstat("scores.txt", &info), 0) << c.name;
        const mode_t types[] = {S_IFREG, S_IFREG, S_IFLNK, S_IFREG, S_IFIFO, S_IFDIR, S_IFLNK};
        EXPECT_EQ(info.st_mode & S_IFMT, types[c.kind]) << c.name;
        if (c.kind <= FULL_DISK) {
            std::string after = read_file(file);
            EXPECT_TRUE(RE::FullMatch(after, c.after)) << c.name << ": " << after;
        }
    }
}
