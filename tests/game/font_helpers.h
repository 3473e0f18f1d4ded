// The game font for GL tests, and a clean slate of fonts between tests.
#pragma once

#include <cstdlib>

#include "bitmapfonts.h"
#include "builtin_font.h"

// Fonts live for the whole process in the game; tests start each from none.
inline void forget_fonts() {
    for (uint32_t i = 0; i < font_list.count; i++) {
        free(fonts[i]->name);
        free(fonts[i]);
    }
    font_list.count = 0;
    current_font = nullptr;
    current_style = {};
    text_line_height = 0;
}

inline BitmapFont *load_game_font() {
    uint32_t length = 0;
    uint8_t *data = unpack_builtin_font(&length);
    load_font_data(data, length, "normal");
    free(data);
    return fonts[font_list.count - 1];
}
