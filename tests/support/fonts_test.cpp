#include "bitmapfonts.h"

#include <gtest/gtest.h>

#include <vector>

// Records of 7 x 4, 7 x 2, 1 x 1 and 8 x 1 pixels: a record cut short ends
// the data, and there are no more than 512.
TEST(GlyphRecords, ARecordCutShortEndsTheData) {
    std::vector<uint8_t> data = {7, 4}, many(2000, 0); // 1000 empty records, but 512 slots
    data.resize(30, 7), data.insert(data.end(), {7, 2}), data.resize(46, 7);
    data.insert(data.end(), {1, 1, 7, 8, 1}), data.resize(59, 7);
    GlyphRecord r[GLYPH_SLOTS];
    const uint32_t counts[] = {
        find_glyph_records(data.data(), 58, r), find_glyph_records(data.data(), 1, r),
        find_glyph_records(nullptr, 59, r), find_glyph_records(many.data(), 2000, r),
        find_glyph_records(data.data(), 59, r)};
    EXPECT_EQ(std::vector<uint32_t>(counts, counts + 5), std::vector<uint32_t>({3, 0, 0, 512, 4}));
    EXPECT_EQ(r[1].offset, 32u) << "the second record's pixels";
    EXPECT_EQ(r[3].width, 8u) << "the fourth record's width";
}

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
