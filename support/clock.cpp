#include "clock.h"

#include <cerrno>
#include <cmath>
#include <ctime>

static double read_clock(clockid_t id) {
    struct timespec ts;
    clock_gettime(id, &ts);
    return (double)ts.tv_sec + (double)ts.tv_nsec * 1e-9;
}

double realtime_seconds() {
    return read_clock(CLOCK_REALTIME);
}
double monotonic_seconds() {
    return read_clock(CLOCK_MONOTONIC);
}

void sleep_until_monotonic(double seconds) {
    struct timespec due;
    double whole = std::floor(seconds);
    due.tv_sec = (time_t)whole;
    due.tv_nsec = (long)((seconds - whole) * 1e9);
    // Absolute, so that a signal's interruption resumes toward the same time.
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &due, nullptr) == EINTR) {
    }
}
