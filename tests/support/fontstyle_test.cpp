#include <vector>

#include "bitmapfonts.h"
#include "gl/gl_helpers.h"
#include "text.h"

using FontStyles = WindowTest;

// A style near a font's shares it; any other gets a variant of the base; a
// size that is not a size is refused; boldness widens the glyphs.
TEST_F(FontStyles, NearStylesShareAFontAndOthersGetAVariant) {
    std::vector<uint8_t> glyphs; // slots 0 to 'a', blank, 10 x 20 each
    for (int slot = 0; slot <= 'a'; slot++) {
        glyphs.insert(glyphs.end(), {10, 20});
        glyphs.insert(glyphs.end(), 200, 255);
    }
    const uint32_t first = font_list.count;
    load_font_data(glyphs.data(), (uint32_t)glyphs.size(), "blank");
    // clang-format off
    const struct { float width, height, boldness; uint32_t font; int line, a; } styles[] = {
        {1, 1, 0, 0, 20, 12},
        {0.5f, 0.5f, 0, 1, 10, 6},
        {0.56f, 0.5f, 0, 1, 10, 6},
        {0.7f, 0.5f, 0, 2, 10, 8},
        {1, 1, 0.5f, 3, 20, 17},
        {1, 1, 0.49f, 3, 20, 17},
        {0, 1, 0, 3, 20, 17},
        {1, INFINITY, 0, 3, 20, 17},
    };
    // clang-format on
    for (auto s : styles) {
        select_font_style({fonts[first], s.width, s.height, 0, s.boldness, 0});
        EXPECT_EQ(std::tuple(current_font, text_line_height, text_width("a")),
                  std::tuple(fonts[first + s.font], s.line, (float)s.a))
            << s.width << " x " << s.height << ", bold " << s.boldness;
    }
}
