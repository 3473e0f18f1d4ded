#include "bitmapfonts.h"

#include <gtest/gtest.h>

// 16 basic colours (8 a dark grey), a grey ramp, then the 6 x 6 x 6 cube.
TEST(GlyphRecords, TheStandardPaletteHoldsItsColoursInOrder) {
    float r[256], g[256], b[256];
    standard_palette(r, g, b);
    for (auto [i, red, green, blue] : {std::tuple{3, 0.0f, 0.5f, 0.5f},
                                       {8, 0.25f, 0.25f, 0.25f},
                                       {14, 1.0f, 1.0f, 0.0f},
                                       {16, 0.0f, 0.0f, 0.0f},
                                       {40 + 5 + 6 * 2 + 36 * 4, 1.0f, 0.4f, 0.8f}})
        EXPECT_EQ(std::tuple(r[i], g[i], b[i]), std::tuple(red, green, blue)) << "colour " << i;
    EXPECT_NEAR(r[39], 1.0f, 1e-6) << "the grey ramp ends white";
}
