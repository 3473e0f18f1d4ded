// Where the HUD's texts stand on the real screen and how their strokes
// look, worked out from the game's own font data.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>

#include "builtin_font.h"
#include "game_process.h"

// Advance of a text in pixels: ten per tile of each glyph, plus the letter
// spacing of 5.
inline int hud_text_width(const std::string &text) {
    int width = 0;
    for (unsigned char c : text) {
        int p = 0;
        for (int code = 0; code < c; code++) p += 2 + packed_font_data[p] * packed_font_data[p + 1];
        width += 10 * packed_font_data[p] + 5;
    }
    return width;
}

// The first glyph of every HUD text (R, a digit, P, G) has a vertical bar
// tile at tile row 1, tile column 0: pixel column 4 of it is fully covered
// and column 1 is transparent.  So relative to the text's corner (x, y),
// (x + 4, y + 15) shows the text colour blended over the background, which
// (x + 1, y + 15) still shows.
struct StrokeSample {
    const uint8_t *stroke, *background;
};
inline StrokeSample sample_first_stroke(const Screenshot &shot, int x, int y) {
    return {shot.at(x + 4, y + 15), shot.at(x + 1, y + 15)};
}

// Text colour c added over background b as the text blending does:
// c + b * (1 - c), per channel.
inline bool blended_as_text(StrokeSample s, uint32_t colour, int tolerance, std::string *why) {
    bool ok = true;
    for (int k = 0; k < 3; k++) {
        double c = ((colour >> (16 - 8 * k)) & 0xFF) / 255.0;
        double expected = 255 * c + s.background[k] * (1 - c);
        if (std::abs(s.stroke[k] - expected) > tolerance) ok = false;
    }
    *why = "stroke (" + std::to_string(s.stroke[0]) + "," + std::to_string(s.stroke[1]) + "," +
           std::to_string(s.stroke[2]) + ") over background (" + std::to_string(s.background[0]) +
           "," + std::to_string(s.background[1]) + "," + std::to_string(s.background[2]) + ")";
    return ok;
}
