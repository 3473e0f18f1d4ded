#include "pacing.h"

#include <gtest/gtest.h>

#include "clock.h"

// Times in periods.  An early frame waits until due, a late one starts at
// once; a display's rate paces from 24 to 500 Hz.
TEST(Pacing, AFrameDoneEarlyWaitsUntilDueAndALateOneStartsAtOnce) {
    // clang-format off
    const struct { const char *name; double due, now, start, next_due; } cases[] = {
        {"done early", 6, 5.3, 6, 7},
        {"done late", 6, 6.5, 6.5, 7.5},
    };
    // clang-format on
    for (const auto &c : cases) {
        FramePacer pacer = {1.0, c.due};
        EXPECT_DOUBLE_EQ(next_frame_start(&pacer, c.now), c.start) << c.name;
        EXPECT_DOUBLE_EQ(pacer.next_start, c.next_due) << c.name << ": next due";
    }
    for (auto [hz, period] : {
             std::pair{23, 1 / 60.0},
             {24, 1 / 24.0},
             {500, 1 / 500.0},
             {501, 1 / 60.0},
         })
        EXPECT_DOUBLE_EQ(refresh_period(hz), period) << hz << " Hz";
    double due = monotonic_seconds() + 0.05;
    sleep_until_monotonic(due);
    EXPECT_GE(monotonic_seconds(), due - 1e-6) << "slept until due";
}
