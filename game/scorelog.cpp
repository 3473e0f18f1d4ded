#include "scorelog.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <pthread.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "clock.h"
#include "logtime.h"

static const char SCORE_LOG[] = "scores.txt";
// A slow disk or a network filesystem can keep another game's line on its
// way to disk for seconds; the line waits beside the game, which goes on.
double score_log_patience = 10.0;
static const useconds_t LOCK_RETRY_US = 10000;
// After the lock's patience, how much longer a quitting game waits for a
// disk that does not answer.
static const double DISK_PATIENCE = 2.0;
// How long a game told to stop lets the line's thread notice.
static const double STOP_GRACE = 0.2;

// Set by SIGINT or SIGTERM while a quitting game waits for its line.
static std::atomic<bool> stop_waiting;

static bool say_not_saved(const char *why) {
    fprintf(stderr, "spinwell: could not save the score to %s: %s\n", SCORE_LOG, why);
    return false;
}

static bool give_up(int fd, const char *why) {
    close(fd);
    return say_not_saved(why);
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

// Games that end together take turns: while one holds the lock, no other
// appends, so a cut-back can only ever remove the holder's own bytes.
// Returns 0, or the error that kept the lock away (EWOULDBLOCK: held by
// another game for too long; ECANCELED: the game was told to stop);
// *locked tells whether the turn is the game's alone.
static int take_turn(int fd, bool *locked) {
    *locked = false;
    double deadline = monotonic_seconds() + score_log_patience;
    while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        // A filesystem that cannot lock (NFS without its lock service, some
        // FUSE ones) still takes the line, as before games took turns.
        if (errno == ENOLCK || errno == EOPNOTSUPP || errno == EINVAL) return 0;
        if (errno != EWOULDBLOCK && errno != EINTR) return errno;
        if (stop_waiting) return ECANCELED;
        if (monotonic_seconds() > deadline) return EWOULDBLOCK;
        usleep(LOCK_RETRY_US);
    }
    *locked = true;
    return 0;
}

// A file whose last line lost its newline would glue the new line to it.
static bool needs_newline(int fd, off_t length) {
    char last = '\n';
    return length > 0 && pread(fd, &last, 1, length - 1) == 1 && last != '\n';
}

// Writes all of text; returns 0, or the error that stopped it.
static int write_all(int fd, const char *text, size_t size) {
    while (size > 0) {
        ssize_t n = write(fd, text, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n < 0 ? errno : EIO;
        text += n;
        size -= (size_t)n;
    }
    return 0;
}

bool append_score_line(int score, int rows_cleared, time_t ended) {
    struct stat info;
    // Looked at before opening, so that no FIFO or device is ever opened.
    if (stat(SCORE_LOG, &info) == 0 && is_refused(&info))
        return say_not_saved("not a regular file");
    int fd = open_score_log();
    if (fd < 0) return say_not_saved(strerror(errno));
    if (fstat(fd, &info) != 0) return give_up(fd, strerror(errno));
    if (is_refused(&info)) return give_up(fd, "not a regular file");
    bool locked;
    int error = take_turn(fd, &locked);
    if (error == EWOULDBLOCK) return give_up(fd, "another game kept it locked");
    if (error == ECANCELED) return give_up(fd, "the game was stopped before its turn came");
    if (error) return give_up(fd, strerror(error));
    // The length the line is cut back to, read while no other game appends.
    if (fstat(fd, &info) != 0) return give_up(fd, strerror(errno));
    off_t length = info.st_size;
    char line[128];
    int size =
        snprintf(line, sizeof line, "%s%s\t%d\t%d rows\n", needs_newline(fd, length) ? "\n" : "",
                 format_log_time(ended), score, rows_cleared);
    // One write in append mode: on a local disk the line goes in whole or
    // not at all.  Made durable while the lock still stands, so that a late
    // write error can still be undone.
    error = write_all(fd, line, (size_t)size);
    if (!error && fsync(fd) != 0) error = errno;
    if (error) {
        // Unlocked, another game may have appended after the line: the file
        // is cut back only where its end is surely the game's own.
        if (locked && ftruncate(fd, length) != 0)
            fprintf(stderr, "spinwell: %s keeps a part of a line: %s\n", SCORE_LOG,
                    strerror(errno));
        return give_up(fd, strerror(error));
    }
    // The line is on disk; closing also hands the lock to the next game.
    close(fd);
    return true;
}

// The line being saved beside the game.
static pthread_t saver;
static bool saving;
static std::atomic<bool> line_done;
static int saved_score, saved_rows;
static time_t saved_ended;

static void *save_line(void *) {
    append_score_line(saved_score, saved_rows, saved_ended);
    line_done = true;
    return nullptr;
}

void start_saving_score_line(int score, int rows_cleared) {
    finish_saving_score_line();
    saved_score = score;
    saved_rows = rows_cleared;
    // Dated when the game ended, however long the line waits for its turn.
    saved_ended = time(nullptr);
    line_done = false;
    saving = pthread_create(&saver, nullptr, save_line, nullptr) == 0;
    // With no thread to spare the line is still saved, the picture waiting.
    if (!saving) append_score_line(score, rows_cleared, saved_ended);
}

static void stop_the_wait(int) {
    stop_waiting = true;
}

static struct sigaction old_int, old_term;
static bool catching;

void catch_stop_signals() {
    if (!saving || catching) return;
    struct sigaction stop = {};
    stop.sa_handler = stop_the_wait;
    sigaction(SIGINT, &stop, &old_int);
    sigaction(SIGTERM, &stop, &old_term);
    catching = true;
}

void finish_saving_score_line() {
    // Told to stop while it waits, the game gives the line up at once.
    catch_stop_signals();
    if (!saving) return;
    saving = false;
    double deadline = monotonic_seconds() + score_log_patience + DISK_PATIENCE;
    double stopped_at = 0;
    while (!line_done) {
        double now = monotonic_seconds();
        if (stop_waiting && stopped_at == 0) stopped_at = now;
        if (now > deadline || (stopped_at > 0 && now > stopped_at + STOP_GRACE)) break;
        usleep(LOCK_RETRY_US);
    }
    if (line_done) {
        pthread_join(saver, nullptr);
    } else {
        // Stuck in a write to a disk that does not answer: left behind.
        fprintf(stderr, "spinwell: stopped waiting for %s to take the score\n", SCORE_LOG);
        pthread_detach(saver);
    }
    sigaction(SIGINT, &old_int, nullptr);
    sigaction(SIGTERM, &old_term, nullptr);
    catching = false;
    stop_waiting = false;
}
