// Fuzz target: measuring and drawing arbitrary text, escapes and controls
// included, must never read past the text or the glyph tables.  No GL
// context is current, so the GL calls do nothing.
#include <cstdlib>
#include <cstring>
#include <algorithm>

#include "bitmapfonts.h"
#include "text.h"

static BitmapFont *make_font() {
    BitmapFont *font = (BitmapFont *)calloc(1, sizeof(BitmapFont));
    for (int n = 0; n < 128; n++) {
        font->glyph_width[n] = 10 + (n * 7) % 21;
        font->glyph_x[n] = (n % 64) * 32;
        font->glyph_y[n] = (n / 64) * 62;
        font->max_glyph_width = std::max(font->max_glyph_width, font->glyph_width[n]);
    }
    font->cell_height = 50;
    font->texture_width = 2048;
    font->texture_height = 128;
    font->name = strdup("fuzz");
    font->style = DEFAULT_FONT_STYLE;
    font->style.base = font;
    font->style.glyph_slots = GLYPH_SLOTS;
    register_font(font);
    return font;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static BitmapFont *font = make_font();
    current_font = font;
    current_style = font->style;
    text_line_height = 50;
    if (size < 2) return 0;
    // The first two bytes choose the wrap width and the bottom limit.
    float wrap = data[0] < 128 ? 0.0f : data[0] * 2.0f;
    float limit = data[1] < 128 ? 0.0f : data[1] * 4.0f;
    size_t length = size - 2;
    char *text = (char *)malloc(length ? length : 1);
    memcpy(text, data + 2, length);
    text_width_n(text, length);
    draw_text_n(text, length, 0xFFFFFF, 10, 10, wrap, limit);
    free(text);
    // Variants made by size controls would pile up from run to run.
    for (uint32_t i = 1; i < font_list.count; i++) {
        free(fonts[i]->name);
        free(fonts[i]);
    }
    font_list.count = 1;
    return 0;
}
