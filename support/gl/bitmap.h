// In-memory images and BMP decoding.
#pragma once

#include <cstddef>
#include <cstdint>

// An image: rows top first with no gap between them, the file's channel order
// (blue, green, red[, alpha]; raw 16-bit values; or palette indices).  An
// empty record has every field 0 and no buffers.  The holder releases the
// buffers, with release_bitmap.
struct Bitmap {
    uint32_t width;
    uint32_t height;
    uint8_t bytes_per_pixel; // 1..4
    uint8_t *pixels;
    uint8_t *palette; // 1-byte images: 256 entries of blue, green, red, reserved
};

// Largest image decode_bmp accepts, in pixels per side and in bytes.
enum { BMP_MAX_SIDE = 16384, BMP_MAX_BYTES = 256 << 20 };

// Decodes an uncompressed 8-, 16-, 24- or 32-bit BMP file of the given
// length.  Nothing in the file is trusted: anything that cannot be decoded
// exactly as written gives the empty record.  Bottom-up and top-down files
// both come out top row first.
Bitmap decode_bmp(const uint8_t *data, size_t length);

void release_bitmap(Bitmap *image);
