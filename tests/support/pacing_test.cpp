#include "pacing.h"

#include <gtest/gtest.h>

// Times in periods.  A frame handed over more than an eighth of a period
// before it is due waits for it; a later one starts at once and the grid
// starts again from it, with no burst to catch up.
TEST(Pacing, AFrameDoneEarlyWaitsUntilDueAndALateOneStartsAtOnce) {
    // clang-format off
    const struct { const char *name; double due, now, start, next_due; } cases[] = {
        {"the first frame", 0, 5, 5, 6},
        {"done early", 6, 5.3, 6, 7},
        {"done an eighth early", 6, 5.875, 5.875, 6.875},
        {"done just in time", 6, 5.95, 5.95, 6.95},
        {"done late", 6, 6.5, 6.5, 7.5},
        {"after a long stall", 6, 20, 20, 21},
    };
    // clang-format on
    for (const auto &c : cases) {
        FramePacer pacer = {1.0, c.due};
        EXPECT_DOUBLE_EQ(next_frame_start(&pacer, c.now), c.start) << c.name;
        EXPECT_DOUBLE_EQ(pacer.next_start, c.next_due) << c.name << ": the next frame's due time";
    }
}

// A swap that waits for the display is never made to wait once more, even
// when the display runs a little off the rate it reports; a swap that does
// not wait keeps the frames on the reported rate, without drifting.
TEST(Pacing, FramesFollowTheDisplayWhenTheSwapWaitsAndTheRateWhenItDoesNot) {
    for (double refresh : {0.98, 1.0, 1.02}) {
        FramePacer pacer = {1.0, 0};
        double start = 0;
        for (int k = 1; k <= 1000; k++) start = next_frame_start(&pacer, k * refresh);
        EXPECT_DOUBLE_EQ(start, 1000 * refresh) << "a display of " << refresh << " periods";
    }
    FramePacer pacer = {1.0, 0};
    double start = 0;
    for (int k = 0; k < 1000; k++) start = next_frame_start(&pacer, start + 0.3);
    EXPECT_NEAR(start, 999.3, 1e-6) << "a thousand frames of a third of a period";
}
