// Bitmap fonts: glyph records packed into one texture, and the process-wide
// text state.
//
// Font data is a sequence of glyph records, one per slot from slot 0: a
// width byte, a height byte, then width x height palette indices (255 is
// transparent), rows top first.  Slot number is character code; slots
// 256..511 are reached through the text's glyph escape.
#pragma once

#include <cstdint>

#include "growarray.h"

enum { GLYPH_SLOTS = 512 };

struct BitmapFont;

struct FontStyle {
    BitmapFont *base;     // the font whose glyph widths and cell height it is measured by
    float width;          // horizontal scale
    float height;         // vertical scale
    float skew;           // kept and compared, not drawn
    float boldness;       // extra advance, a fraction of the glyph width
    uint32_t glyph_slots; // 512 in loaded fonts, 0 in variants
};

struct BitmapFont {
    uint32_t texture;
    uint32_t glyph_x[GLYPH_SLOTS]; // left texel column of each cell
    uint32_t glyph_y[GLYPH_SLOTS]; // top texel row of each cell
    uint32_t glyph_width[GLYPH_SLOTS];
    uint32_t texture_width;
    uint32_t texture_height;
    uint32_t max_glyph_width;
    uint32_t cell_height; // every glyph cell is this tall
    char *name;
    FontStyle style;
};

extern const FontStyle DEFAULT_FONT_STYLE;

extern GrowArray font_list; // of BitmapFont pointers
extern BitmapFont **fonts;  // font_list's items, kept current by its mirror
extern BitmapFont *current_font;
extern FontStyle current_style;
extern int text_line_height; // pixels between lines of the current font

// Largest glyph texture side the loader will use (the driver may allow less).
extern int font_texture_limit;

// Packs length bytes of glyph records into a texture and registers the font
// under name; the first font loaded becomes current.  A record whose pixels
// would run past length ends the data.  The texture stays bound.
void load_font_data(const uint8_t *data, uint32_t length, const char *name);

// The stages of loading that need no GL, for tests and fuzzing:
// where each complete record lies (a record cut short ends the data) ...
struct GlyphRecord {
    uint32_t offset; // of its pixels
    uint32_t width, height;
};
uint32_t find_glyph_records(const uint8_t *data, uint32_t length, GlyphRecord *records);
// ... each glyph's cell in the texture, the cell height and the texture size
// for a texture no wider than limit ...
void layout_glyphs(BitmapFont *font, const GlyphRecord *records, uint32_t count, uint32_t limit);
// ... and the RGBA texels of that texture (texture_width x texture_height).
void rasterise_glyphs(const BitmapFont *font, const uint8_t *data, const GlyphRecord *records,
                      uint32_t count, uint8_t *texels);

// One entry for each value of a byte: the palette, the boost table.
enum { BYTE_VALUES = 256 };

// The fixed 256-colour palette glyph pixels index: 16 basic colours, a grey
// ramp at 16..39, a 6 x 6 x 6 colour cube from 40.
void standard_palette(float red[BYTE_VALUES], float green[BYTE_VALUES], float blue[BYTE_VALUES]);

// A palette component as a texture byte.
inline uint8_t palette_byte(float component) {
    return (uint8_t)((double)component * 255.9);
}

// Stretches the contrast and lifts the mid tones of every reduced mipmap
// level of the digits (and slots 256..383), so they stay legible small.
void boost_glyph_mipmaps(BitmapFont *font);

// The brightening table the boost applies: (i / 255.9)^0.4 * 255.9.
void glyph_boost_table(uint8_t table[BYTE_VALUES]);

// Makes a style current, choosing the closest existing font record or
// deriving a variant.  Styles with a zero, negative, infinite or not-a-number
// width or height, or a boldness or skew that is not finite, are refused.
void select_font_style(FontStyle style);

// The best existing font for the style, or a new variant of it.
BitmapFont *find_font_variant(FontStyle style);

// A copy of a font record (sharing its texture), registered in font_list.
BitmapFont *copy_font(const BitmapFont *font);

// Sets max_glyph_width from the glyph widths and the texture size from GL.
void measure_font(BitmapFont *font);

// Appends a font to font_list, creating the list on first use.
void register_font(BitmapFont *font);
