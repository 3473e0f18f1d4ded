#include "scorelog.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "logtime.h"

static const char SCORE_LOG[] = "scores.txt";

static bool say_not_saved(int error) {
    fprintf(stderr, "spinwell: could not save the score to %s: %s\n", SCORE_LOG, strerror(error));
    return false;
}

bool append_score_line(int score, int rows_cleared) {
    FILE *log = fopen(SCORE_LOG, "at");
    if (!log) return say_not_saved(errno);
    const char *date = format_log_time(time(nullptr));
    bool written = fprintf(log, "%s\t%d\t%d rows\n", date, score, rows_cleared) > 0;
    int write_error = errno;
    if (fclose(log) != 0 && written) {
        written = false;
        write_error = errno;
    }
    if (!written) return say_not_saved(write_error);
    return true;
}
