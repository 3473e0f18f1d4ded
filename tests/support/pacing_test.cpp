#include "pacing.h"

#include <gtest/gtest.h>

#include "clock.h"

// Frames start a period apart, never sooner: the display's, or 1/60 s outside
// 24 to 500 Hz.
TEST(Pacing, TheDisplaysRatePacesTheFrames) {
    for (auto [hz, period] : {
             std::pair{23, 1 / 60.0},
             {24, 1 / 24.0},
             {500, 1 / 500.0},
             {501, 1 / 60.0},
         })
        EXPECT_DOUBLE_EQ(refresh_period(hz), period) << hz << " Hz";
    FramePacer pacer = {0.2, 0};
    double first = next_frame_start(&pacer, monotonic_seconds());
    sleep_until_monotonic(next_frame_start(&pacer, monotonic_seconds()));
    EXPECT_GE(monotonic_seconds() - first, 0.2) << "the second frame's start";
}
