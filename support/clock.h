// Clocks, as double seconds.
#pragma once

// Wall-clock time (CLOCK_REALTIME): dates and anything tied to the clock face.
double realtime_seconds();

// Time that never steps backwards (CLOCK_MONOTONIC): frame timing.
double monotonic_seconds();
