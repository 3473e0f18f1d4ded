#include "builtin_font.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>

#include "bitmapfonts.h"

// The expanded font byte for byte (hashed), and its layout for each limit.
TEST(BuiltinFont, ExpandsByteForByteToTheKnownGlyphs) {
    uint32_t length = 0, hash = 2166136261u;
    uint8_t *font = unpack_builtin_font(&length);
    for (uint32_t i = 0; i < length; i++) hash = (hash ^ font[i]) * 16777619u;
    EXPECT_EQ(std::make_pair(length, hash), std::make_pair(69856u, 3005948602u));
    GlyphRecord records[GLYPH_SLOTS];
    ASSERT_EQ(find_glyph_records(font, length, records), 128u);
    // clang-format off
    const uint32_t layouts[][3] = {
        {2048, 2048, 128},
        {256, 256, 1024},
    };
    // clang-format on
    for (auto [limit, width, height] : layouts) {
        BitmapFont layout = {};
        layout_glyphs(&layout, records, 128, limit);
        EXPECT_EQ(std::pair(layout.texture_width, layout.texture_height), std::pair(width, height))
            << "limit " << limit;
    }
    free(font);
}
