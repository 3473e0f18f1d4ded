#include "builtin_font.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "stroketiles.h"

namespace {

class StrokeTiles : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { table = stroke_tile_table(); }
    static void TearDownTestSuite() { free(table); }
    static std::vector<int> row(int code, int j) {
        const uint8_t *p = table + code * STROKE_TILE_BYTES + j * 10;
        return std::vector<int>(p, p + 10);
    }
    static std::vector<int> all(int value) { return std::vector<int>(10, value); }
    static uint8_t *table;
};
uint8_t *StrokeTiles::table;

TEST_F(StrokeTiles, EmptyCodesAreTransparent) {
    for (int code = 0; code < 8; code++)
        for (int j = 0; j < 10; j++) EXPECT_EQ(row(code, j), all(255)) << code << " row " << j;
}

TEST_F(StrokeTiles, VerticalBarCatchesOneSampleInColumnSeven) {
    // 7 x 0.1 in single precision falls just below 0.7.
    std::vector<int> expected = {255, 255, 255, 39, 39, 39, 39, 16, 255, 255};
    for (int j = 0; j < 10; j++) EXPECT_EQ(row(0x08, j), expected) << "row " << j;
}

TEST_F(StrokeTiles, HorizontalBarHasGreyRimsOfTheTurnedGrid) {
    for (int j : {0, 1, 2, 8, 9}) EXPECT_EQ(row(0x0C, j), all(255)) << j;
    EXPECT_EQ(row(0x0C, 3), all(37));
    for (int j : {4, 5, 6}) EXPECT_EQ(row(0x0C, j), all(39)) << j;
    EXPECT_EQ(row(0x0C, 7), all(18));
}

TEST_F(StrokeTiles, DotIsRoundAndCentred) {
    EXPECT_EQ(row(0x20, 5), (std::vector<int>{255, 255, 255, 38, 39, 39, 38, 16, 255, 255}));
    for (int j : {0, 1, 2, 8, 9}) EXPECT_EQ(row(0x20, j), all(255)) << j;
}

TEST(StrokeTileShapes, TranspositionAndMirrorsMoveTheShape) {
    TileStyle style = {10, 10, 0.2f, 0.2f, 0, 0, 1, 10, 1};
    for (uint8_t shape = 1; shape < 8; shape++) {
        uint8_t code = shape << 3 | 4;
        for (float x = 0.05f; x < 1; x += 0.1f)
            for (float y = 0.05f; y < 1; y += 0.1f) {
                int at = stroke_tile_covers(code, x, y, style);
                EXPECT_EQ(stroke_tile_covers(code & ~4, y, x, style), at) << (int)code;
                EXPECT_EQ(stroke_tile_covers(code | 1, x, 1 - y, style), at) << (int)code;
                EXPECT_EQ(stroke_tile_covers(code | 2, 1 - x, y, style), at) << (int)code;
            }
    }
}

TEST(StrokeTileShapes, ArcJoinsTheMiddlesOfTwoEdges) {
    TileStyle style = {10, 10, 0.2f, 0.2f, 0, 0, 1, 10, 1};
    const uint8_t arc = 2 << 3 | 4;
    EXPECT_TRUE(stroke_tile_covers(arc, 0.0f, 0.5f, style));    // middle of edge X = 0
    EXPECT_TRUE(stroke_tile_covers(arc, 0.5f, 0.0f, style));    // middle of edge Y = 0
    EXPECT_FALSE(stroke_tile_covers(arc, 0.05f, 0.05f, style)); // inside the inner ellipse
    EXPECT_FALSE(stroke_tile_covers(arc, 0.9f, 0.9f, style));   // beyond the outer one
    const uint8_t fork = 7 << 3 | 4;
    EXPECT_TRUE(stroke_tile_covers(fork, 1.0f, 0.5f, style));
    EXPECT_TRUE(stroke_tile_covers(fork, 0.5f, 0.02f, style));
    EXPECT_TRUE(stroke_tile_covers(fork, 0.5f, 0.98f, style));
    EXPECT_FALSE(stroke_tile_covers(fork, 0.1f, 0.5f, style));
}

struct Glyph {
    int width, height;
    const uint8_t *pixels;
};

std::vector<Glyph> glyphs(const uint8_t *data, uint32_t length) {
    std::vector<Glyph> out;
    for (uint32_t p = 0; p + 2 <= length;) {
        Glyph g = {data[p], data[p + 1], data + p + 2};
        out.push_back(g);
        p += 2 + g.width * g.height;
    }
    return out;
}

TEST(BuiltinFont, ExpandsToAllGlyphsAtTenPixelsPerTile) {
    uint32_t length = 0;
    uint8_t *data = unpack_builtin_font(&length);
    EXPECT_EQ(length, 69856u);
    std::vector<Glyph> g = glyphs(data, length);
    ASSERT_EQ(g.size(), 128u);
    for (int p = 0, code = 0; code < 128; code++) {
        int w = packed_font_data[p], h = packed_font_data[p + 1];
        EXPECT_EQ(g[code].width, 10 * w) << code;
        EXPECT_EQ(g[code].height, 10 * h) << code;
        p += 2 + w * h;
    }
    EXPECT_EQ(g['A'].width, 20);
    EXPECT_EQ(g['A'].height, 40);
    EXPECT_EQ(g['g'].width, 20);
    EXPECT_EQ(g['g'].height, 50);
    EXPECT_EQ(g[' '].width, 10);
    for (int i = 0; i < 100; i++) ASSERT_EQ(g[' '].pixels[i], 255);
    // The full stop's last tile is the dot.
    uint8_t *table = stroke_tile_table();
    const Glyph &stop = g['.'];
    for (int y = 0; y < 10; y++)
        for (int x = 0; x < 10; x++)
            ASSERT_EQ(stop.pixels[(30 + y) * 10 + x], table[0x20 * 100 + y * 10 + x]);
    free(table);
    free(data);
}

} // namespace

#include "bitmapfonts.h"

namespace {

TEST(BuiltinFont, LayoutForEachTextureLimit) {
    uint32_t length = 0;
    uint8_t *data = unpack_builtin_font(&length);
    GlyphRecord records[GLYPH_SLOTS];
    uint32_t count = find_glyph_records(data, length, records);
    ASSERT_EQ(count, 128u);
    struct Case {
        uint32_t limit, width, height;
    } cases[] = {{2048, 2048, 128}, {1024, 1024, 256}, {512, 512, 512}, {256, 256, 1024}};
    for (const Case &c : cases) {
        BitmapFont font = {};
        layout_glyphs(&font, records, count, c.limit);
        EXPECT_EQ(font.cell_height, 50u);
        EXPECT_EQ(font.texture_width, c.width) << "limit " << c.limit;
        EXPECT_EQ(font.texture_height, c.height) << "limit " << c.limit;
        if (c.limit == 2048) {
            EXPECT_EQ(font.glyph_y[127], 62u) << "two rows, 50 + 12 apart";
            uint32_t right = 0;
            for (int n = 0; n < 128; n++)
                right = std::max(right, font.glyph_x[n] + font.glyph_width[n]);
            EXPECT_EQ(right, 2004u);
        }
        for (int n = 0; n < 128; n++) ASSERT_LE(font.glyph_x[n] + font.glyph_width[n], c.limit);
    }
    free(data);
}

} // namespace
