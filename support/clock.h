// Clocks, as double seconds.
#pragma once

// Wall-clock time (CLOCK_REALTIME): dates and anything tied to the clock face.
double realtime_seconds();

// Time that never steps backwards (CLOCK_MONOTONIC): frame timing.
double monotonic_seconds();

// Sleeps until the monotonic clock reads the given time; returns at once
// when it is past.
void sleep_until_monotonic(double seconds);
