// Fuzz target: the font loader's record walk, layout and rasterising on
// arbitrary glyph data must stay inside the data and the texel buffer.
#include <cstdlib>

#include "bitmapfonts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size > 1 << 20) return 0;
    uint8_t *copy = (uint8_t *)malloc(size ? size : 1);
    for (size_t i = 0; i < size; i++) copy[i] = data[i];
    static GlyphRecord records[GLYPH_SLOTS];
    uint32_t count = find_glyph_records(copy, (uint32_t)size, records);
    static BitmapFont font;
    layout_glyphs(&font, records, count, 2048);
    // The loader refuses taller textures before it allocates.
    if (font.texture_height <= 2048) {
        size_t texels = (size_t)font.texture_width * font.texture_height * 4;
        uint8_t *buffer = (uint8_t *)calloc(texels, 1);
        rasterise_glyphs(&font, copy, records, count, buffer);
        free(buffer);
    }
    free(copy);
    return 0;
}
