// Stroke tiles: the anti-aliased building blocks of tile-drawn fonts.
//
// A tile code is 6 bits: bits 3..5 the shape (empty, bar, arc, tee, dot,
// stub, corner, fork), bit 2 set for the shape as defined or clear for it
// transposed, bit 0 mirroring y and bit 1 mirroring x after that.
#pragma once

#include <cstdint>

struct TileStyle {
    float tile_width;   // pixels
    float tile_height;  // pixels
    float half_width_x; // half-width of strokes along y, in tile units
    float half_width_y; // half-width of strokes along x, in tile units
    float straight_x;   // part of an arc's x extent drawn straight (0: a true ellipse)
    float straight_y;
    float dot_scale; // dot radius as a multiple of half_width_y
    int32_t samples; // samples per axis per pixel
    uint8_t flags;
};

// 1 when the point (x, y) of the unit square, x along a tile row and y down
// the tile, lies inside the shape of tile code.
int stroke_tile_covers(uint8_t code, float x, float y, TileStyle style);
