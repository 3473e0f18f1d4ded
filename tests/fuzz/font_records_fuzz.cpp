// Fuzz target: the font loader's record walk, layout and rasterising on
// arbitrary glyph data stay inside the data and the texel buffer.
#include <cstdlib>
#include <cstring>

#include "bitmapfonts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size > 1 << 20) return 0;
    uint8_t *copy = (uint8_t *)malloc(size + !size);
    memcpy(copy, data, size);
    static GlyphRecord records[GLYPH_SLOTS];
    static BitmapFont font;
    uint32_t count = find_glyph_records(copy, (uint32_t)size, records);
    layout_glyphs(&font, records, count, 2048);
    if (font.texture_height <= 2048) { // the loader refuses taller textures before it allocates
        uint8_t *texels = (uint8_t *)calloc((size_t)font.texture_width * font.texture_height, 4);
        rasterise_glyphs(&font, copy, records, count, texels);
        free(texels);
    }
    free(copy);
    return 0;
}
