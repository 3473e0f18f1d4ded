// The font loader's stages that need no GL: the record walk, the layout and
// the palette.
#include "bitmapfonts.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<uint8_t> records_of(std::initializer_list<std::pair<int, int>> sizes,
                                uint8_t fill = 7) {
    std::vector<uint8_t> data;
    for (auto [w, h] : sizes) {
        data.push_back(w);
        data.push_back(h);
        data.insert(data.end(), (size_t)w * h, fill);
    }
    return data;
}

TEST(GlyphRecords, ARecordCutShortEndsTheData) {
    std::vector<uint8_t> data = records_of({{2, 3}, {4, 1}, {3, 3}});
    GlyphRecord records[GLYPH_SLOTS];
    EXPECT_EQ(find_glyph_records(data.data(), data.size(), records), 3u);
    EXPECT_EQ(records[1].offset, 10u);
    EXPECT_EQ(find_glyph_records(data.data(), data.size() - 1, records), 2u);
    EXPECT_EQ(find_glyph_records(data.data(), 1, records), 0u); // half a header
    EXPECT_EQ(find_glyph_records(data.data(), 0, records), 0u);
    std::vector<uint8_t> many(2000, 0); // 1000 empty records: only 512 slots
    EXPECT_EQ(find_glyph_records(many.data(), many.size(), records), 512u);
}

TEST(GlyphLayout, AGlyphEndingOnTheLimitStaysInItsRow) {
    // Cells 4 high, so the pad is 1.
    std::vector<uint8_t> data = records_of({{7, 4}, {7, 2}, {1, 1}, {8, 1}});
    GlyphRecord records[GLYPH_SLOTS];
    uint32_t count = find_glyph_records(data.data(), data.size(), records);
    BitmapFont font = {};
    layout_glyphs(&font, records, count, 16);
    EXPECT_EQ(font.cell_height, 4u);
    EXPECT_EQ(font.glyph_x[1], 8u); // 8 + 7 + 1 = 16: not past the limit
    EXPECT_EQ(font.glyph_y[1], 0u);
    EXPECT_EQ(font.glyph_x[2], 0u); // 16 + 1 + 1 > 16: next row
    EXPECT_EQ(font.glyph_y[2], 5u);
    EXPECT_EQ(font.glyph_x[3], 2u);
    EXPECT_EQ(font.glyph_y[3], 5u);
    // Slots without a record wait where the pen stopped, with no width.
    EXPECT_EQ(font.glyph_x[4], 11u);
    EXPECT_EQ(font.glyph_y[511], 5u);
    EXPECT_EQ(font.glyph_width[511], 0u);
    EXPECT_EQ(font.texture_width, 16u);
    EXPECT_EQ(font.texture_height, 16u); // 4 + 5 = 9, rounded up
}

TEST(GlyphLayout, NoDataGivesOneEmptyTexel) {
    BitmapFont font = {};
    layout_glyphs(&font, nullptr, 0, 2048);
    EXPECT_EQ(font.cell_height, 1u);
    EXPECT_EQ(font.texture_width, 1u);
    EXPECT_EQ(font.texture_height, 1u);
    for (int n = 0; n < GLYPH_SLOTS; n++) {
        ASSERT_EQ(font.glyph_x[n], 0u);
        ASSERT_EQ(font.glyph_y[n], 0u);
        ASSERT_EQ(font.glyph_width[n], 0u);
    }
}

TEST(GlyphLayout, RasterisedIndicesBecomePaletteColours) {
    std::vector<uint8_t> data = {4, 1, 0, 8, 255, 39, 1, 1, 40 + 5 + 6 * 2 + 36 * 4};
    GlyphRecord records[GLYPH_SLOTS];
    uint32_t count = find_glyph_records(data.data(), data.size(), records);
    BitmapFont font = {};
    layout_glyphs(&font, records, count, 2048);
    std::vector<uint8_t> texels((size_t)font.texture_width * font.texture_height * 4, 0xAB);
    std::fill(texels.begin(), texels.end(), 0);
    rasterise_glyphs(&font, data.data(), records, count, texels.data());
    auto texel = [&](int x) { return std::vector<int>(&texels[x * 4], &texels[x * 4 + 4]); };
    EXPECT_EQ(texel(0), (std::vector<int>{0, 0, 0, 255}));       // index 0: opaque black
    EXPECT_EQ(texel(1), (std::vector<int>{63, 63, 63, 255}));    // index 8: dark grey
    EXPECT_EQ(texel(2), (std::vector<int>{0, 0, 0, 0}));         // index 255: transparent
    EXPECT_EQ(texel(3), (std::vector<int>{255, 255, 255, 255})); // top of the grey ramp
    int x = font.glyph_x[1];
    EXPECT_EQ(texel(x), (std::vector<int>{255, 102, 204, 255})); // cube (5, 2, 4)
}

TEST(Palette, BasicColoursGreyRampAndCube) {
    float r[256], g[256], b[256];
    standard_palette(r, g, b);
    EXPECT_EQ(r[7], 0.5f);
    EXPECT_EQ(b[7], 0.5f);
    EXPECT_EQ(r[8], 0.25f);
    EXPECT_EQ(g[15], 1.0f);
    EXPECT_EQ(r[12], 1.0f); // bit 2 red, bright
    EXPECT_EQ(g[12], 0.0f);
    EXPECT_EQ(b[9], 1.0f);
    const int ramp[] = {0,   11,  22,  33,  44,  55,  66,  77,  89,  100, 111, 122,
                        133, 144, 155, 166, 178, 189, 200, 211, 222, 233, 244, 255};
    for (int k = 0; k < 24; k++) {
        EXPECT_EQ(palette_byte(r[16 + k]), ramp[k]) << k;
        EXPECT_EQ(r[16 + k], b[16 + k]);
    }
    EXPECT_EQ(r[39], 1.0f);
    const int levels[] = {0, 51, 102, 153, 204, 255};
    for (int j = 0; j < 216; j++) {
        ASSERT_EQ(palette_byte(r[40 + j]), levels[j % 6]) << j;
        ASSERT_EQ(palette_byte(g[40 + j]), levels[(j / 6) % 6]) << j;
        ASSERT_EQ(palette_byte(b[40 + j]), levels[j / 36]) << j;
    }
    EXPECT_EQ(palette_byte(0.5f), 127);
    EXPECT_EQ(palette_byte(0.25f), 63);
}

TEST(Palette, MipmapBoostBrightensMidTones) {
    uint8_t t[256];
    glyph_boost_table(t);
    EXPECT_EQ(t[0], 0);
    EXPECT_EQ(t[1], 27);
    EXPECT_EQ(t[2], 36);
    EXPECT_EQ(t[64], 146);
    EXPECT_EQ(t[128], 193);
    EXPECT_EQ(t[254], 255);
    EXPECT_EQ(t[255], 255);
    for (int i = 1; i < 256; i++) ASSERT_GE(t[i], t[i - 1]);
}

} // namespace
