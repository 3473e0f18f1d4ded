#include "clock.h"

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
