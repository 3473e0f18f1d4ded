// The game's built-in font: glyphs drawn from anti-aliased stroke tiles,
// expanded at start-up into glyph records for the font loader.
#pragma once

#include <cstdint>

enum {
    STROKE_TILE_COUNT = 64,
    STROKE_TILE_BYTES = 100, // 10 x 10 palette indices, rows top first
    PACKED_FONT_BYTES = 952,
    UNPACKED_FONT_CAPACITY = 95200,
};

extern const uint8_t packed_font_data[PACKED_FONT_BYTES];

// The 64 tiles: per pixel 255 when no sample is covered, else an index into
// the loader's grey ramp, 16 (black) to 39 (white).  The caller frees it.
uint8_t *stroke_tile_table();

// Expands packed_font_data through the tiles into glyph records: per glyph
// its width and height in pixels, then its palette indices.  Returns a new
// buffer for the caller to free, and its used length.
uint8_t *unpack_builtin_font(uint32_t *length);

// Unpacks the font and loads it under the name "normal".
void load_builtin_font();
