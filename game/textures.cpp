#include "textures.h"

#include <GL/gl.h>
#include <cmath>
#include <cstdlib>

#include "allocation.h"
#include "bitmap.h"
#include "embedded.h"
#include "game_state.h"
#include "texture.h"

uint32_t make_wall_texture() {
    Bitmap picture = decode_bmp(brick_bmp, brick_bmp_size);
    uint32_t name = create_texture_from_bitmap(nullptr, nullptr, picture);
    release_bitmap(&picture);
    return name;
}

void fill_block_texture(uint8_t *pixels) {
    const int n = BLOCK_TEXTURE_SIZE;
    for (int y = 0; y < n; y++) {
        for (int x = 0; x < n; x++) {
            int d = std::max(std::abs(x - 32), std::abs(y - 32));
            // Rising from a mid-grey face to a bright rim, then falling off
            // over the outer bevel.
            double level = d <= 23 ? 0.5 + d / 48.0 : 1.0 - (d - 24) / 16.0;
            uint8_t value = (uint8_t)std::floor(level * 255);
            uint8_t *p = pixels + (y * n + x) * 3;
            p[0] = p[1] = p[2] = value;
        }
    }
}

uint32_t make_block_texture() {
    uint32_t name = new_texture_name();
    uint8_t *pixels = (uint8_t *)checked_malloc(BLOCK_TEXTURE_SIZE * BLOCK_TEXTURE_SIZE * 3);
    fill_block_texture(pixels);
    discard_gl_errors();
    glTexImage2D(GL_TEXTURE_2D, 0, internal_format_for(3), BLOCK_TEXTURE_SIZE, BLOCK_TEXTURE_SIZE,
                 0, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    generate_mipmaps();
    free(pixels);
    return name;
}

void make_game_textures(GameState *state) {
    state->wall_texture = make_wall_texture();
    state->block_texture = make_block_texture();
}
