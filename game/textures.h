// The two textures that dress the tube, both built into the program.
#pragma once

#include <cstdint>

enum { BLOCK_TEXTURE_SIZE = 64 };

// The wall: the embedded brick picture, decoded and uploaded.
uint32_t make_wall_texture();

// Fills 64 x 64 RGB pixels, first row first, with the block's grey bevel.
void fill_block_texture(uint8_t pixels[BLOCK_TEXTURE_SIZE * BLOCK_TEXTURE_SIZE * 3]);

// The blocks: that bevel as a mipmapped texture.
uint32_t make_block_texture();

struct GameState;

// Both, for the scene to draw with.
void make_game_textures(GameState *state);
