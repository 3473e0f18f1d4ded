#include "scorelog.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "logtime.h"

static const char SCORE_LOG[] = "scores.txt";

static bool say_not_saved(const char *why) {
    fprintf(stderr, "spinwell: could not save the score to %s: %s\n", SCORE_LOG, why);
    return false;
}

// Only a regular file is a log: a FIFO would block the game until someone
// read it, and a device would swallow or refuse the line.
static bool is_refused(const struct stat *info) {
    return !S_ISREG(info->st_mode);
}

// Opens the log for appending without ever blocking.  Read access is asked
// for too, to look at the last byte, but a write-only file still takes lines.
static int open_score_log() {
    int flags = O_APPEND | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    int fd = open(SCORE_LOG, O_RDWR | flags, 0666);
    if (fd < 0 && errno == EACCES) fd = open(SCORE_LOG, O_WRONLY | flags, 0666);
    return fd;
}

// Gives up on a line that did not get in whole: the file goes back to its
// old length (through fd, or by name once fd is closed).
static bool cut_back(int fd, off_t length, int error) {
    bool cut = fd >= 0 ? ftruncate(fd, length) == 0 : truncate(SCORE_LOG, length) == 0;
    if (fd >= 0) close(fd);
    if (!cut)
        fprintf(stderr, "spinwell: %s keeps a part of a line: %s\n", SCORE_LOG, strerror(errno));
    return say_not_saved(strerror(error));
}

// A file whose last line lost its newline would glue the new line to it.
static bool needs_newline(int fd, off_t length) {
    char last = '\n';
    return length > 0 && pread(fd, &last, 1, length - 1) == 1 && last != '\n';
}

bool append_score_line(int score, int rows_cleared) {
    struct stat info;
    // Looked at before opening, so that no FIFO or device is ever opened.
    if (stat(SCORE_LOG, &info) == 0 && is_refused(&info))
        return say_not_saved("not a regular file");
    int fd = open_score_log();
    if (fd < 0) return say_not_saved(strerror(errno));
    if (fstat(fd, &info) != 0 || is_refused(&info)) {
        close(fd);
        return say_not_saved("not a regular file");
    }
    off_t length = info.st_size;
    char line[128];
    int size =
        snprintf(line, sizeof line, "%s%s\t%d\t%d rows\n", needs_newline(fd, length) ? "\n" : "",
                 format_log_time(time(nullptr)), score, rows_cleared);
    // One write, so that a full disk leaves either the whole line or, once
    // cut back, nothing at all.
    ssize_t written = write(fd, line, (size_t)size);
    if (written != size) return cut_back(fd, length, written < 0 ? errno : ENOSPC);
    if (close(fd) != 0) return cut_back(-1, length, errno);
    return true;
}
