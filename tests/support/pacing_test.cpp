#include "pacing.h"

#include <gtest/gtest.h>

// A display's rate paces the frames from 24 to 500 Hz; others get 60 Hz.
TEST(Pacing, TheDisplaysRatePacesTheFrames) {
    for (auto [hz, period] : {
             std::pair{23, 1 / 60.0},
             {24, 1 / 24.0},
             {500, 1 / 500.0},
             {501, 1 / 60.0},
         })
        EXPECT_DOUBLE_EQ(refresh_period(hz), period) << hz << " Hz";
}
