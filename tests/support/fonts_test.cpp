// The font loader's stages that need no GL: the record walk, the layout and
// the rasterising through the standard palette.
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

// Black, dark grey, transparent, white, bright yellow, the grey ramp's middle,
// then the colour cube's (5, 2, 4); and the boost's telling values.
TEST(GlyphRecords, IndicesBecomeColoursOfTheStandardPalette) {
    std::vector<uint8_t> data = {6, 1, 0, 8, 255, 39, 14, 28, 1, 1, 40 + 5 + 6 * 2 + 36 * 4};
    GlyphRecord records[GLYPH_SLOTS];
    BitmapFont font = {};
    layout_glyphs(&font, records, find_glyph_records(data.data(), data.size(), records), 2048);
    std::vector<uint8_t> texels((size_t)font.texture_width * font.texture_height * 4, 0);
    rasterise_glyphs(&font, data.data(), records, 2, texels.data());
    texels.erase(texels.begin() + 24, texels.begin() + font.glyph_x[1] * 4);
    texels.resize(28);
    uint8_t t[256];
    glyph_boost_table(t);
    texels.insert(texels.end(), {t[1], t[2], t[64], t[128], t[254]});
    EXPECT_EQ(texels,
              std::vector<uint8_t>({0,   0,   0,   255, 63,  63,  63,  255, 0,   0,   0,
                                    0,   255, 255, 255, 255, 255, 255, 0,   255, 133, 133,
                                    133, 255, 255, 102, 204, 255, 27,  36,  146, 193, 255}));
}
