// Fuzz target: measuring and drawing arbitrary text, escapes and controls
// included, in the length-taking and the terminated forms, never reads past
// the text or the glyph tables.  No GL context is current: GL does nothing.
#include <cstdlib>
#include <cstring>

#include "bitmapfonts.h"
#include "text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static BitmapFont font;
    if (!font_list.count) {
        font = {0, {}, {}, {}, 2048, 128, 30, 50, strdup("fuzz"), {&font, 1, 1, 0, 0, GLYPH_SLOTS}};
        for (int n = 0; n < 128; n++)
            font.glyph_width[n] = 10 + n % 21, font.glyph_x[n] = n % 64 * 32;
        register_font(&font);
    }
    current_font = &font;
    current_style = font.style;
    text_line_height = 50;
    if (size < 2) return 0;
    // The first two bytes choose the wrap width and the bottom limit.
    float wrap = data[0] < 128 ? 0.0f : data[0] * 2.0f,
          limit = data[1] < 128 ? 0.0f : data[1] * 4.0f;
    // The text and a terminating 0, for the length-taking and the terminated forms.
    char *text = (char *)calloc(size - 1, 1);
    memcpy(text, data + 2, size - 2);
    text_width_n(text, size - 2);
    draw_text_n(text, size - 2, 0xFFFFFF, 10, 10, wrap, limit);
    text_width(text);
    draw_text(text, 0xFFFFFF, 10, 10, wrap, limit);
    free(text);
    for (uint32_t i = 1; i < font_list.count; i++)
        free(fonts[i]->name), free(fonts[i]); // size variants
    font_list.count = 1;
    return 0;
}
