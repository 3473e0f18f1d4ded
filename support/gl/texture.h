// Texture creation and the one mipmap strategy every texture shares.
//
// Every texture is mipmapped, repeating and linearly filtered.  The first
// texture made decides, once per process, whether the driver builds the
// mipmap levels (when it names GL_SGIS_generate_mipmap) or the library does
// it with a rounded 2x2 box filter.
#pragma once

#include <GL/gl.h>
#include <cstdint>

#include "bitmap.h"

// Internal formats given as a component count (1..4) rather than sized.
extern int use_unsized_formats;
// -1 not yet decided, 0 software mipmaps, 1 the driver's glGenerateMipmap.
extern int mipmap_extension_state;
typedef void (*GenerateMipmapEntry)(GLenum target);
extern GenerateMipmapEntry generate_mipmap_entry;
// How often glGenerateMipmap was looked up (once per process at most).
extern uint32_t mipmap_entry_lookups;

// Pixel format and internal format for n bytes per pixel (1..4).
GLenum pixel_format_for(int n);
GLint internal_format_for(int n);

// Generates and binds a new texture name with the settings every texture
// shares: modulated by the current colour, trilinear, repeating.
uint32_t new_texture_name();

// Uploads the image as a new texture, upright with its bottom-left corner
// at texture coordinate (0, 0), sized up to powers of two, with mipmaps.
// The texture stays bound.  width and height, when given, receive the
// texture's size.  The image is neither changed nor released.
uint32_t create_texture_from_bitmap(uint32_t *width, uint32_t *height, Bitmap image);

// Builds every mipmap level of the bound texture from its level 0.
void generate_mipmaps();

// The software path: reads level 0 back and filters it down.
void build_mipmaps_in_software();

// Filters level 0 (n bytes per pixel, rows padded to 4 bytes) in place,
// level after level down to 1 x 1, uploading each to target.
void downsample_mipmap_chain(GLenum target, int n, int width, int height, uint8_t *buffer);

// The smallest power of two at least v (1 for 0): the texture sides that
// older GL requires.
uint32_t power_of_two_at_least(uint32_t v);

// Row length in bytes, rounded up to GL's default 4-byte alignment.
inline uint32_t aligned_row_bytes(uint32_t width, int n) {
    return (width * n + 3) & ~3u;
}

// Clears every pending GL error, so the next call's errors are its own.
void discard_gl_errors();
