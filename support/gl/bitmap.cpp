#include "bitmap.h"

#include <climits>
#include <cstdlib>
#include <cstring>

static uint32_t read_u32(const uint8_t *p) {
    return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}
static uint16_t read_u16(const uint8_t *p) {
    return (uint16_t)(p[0] | p[1] << 8);
}

static const size_t FILE_HEADER = 14;
static const size_t INFO_HEADER = 40; // the part of every later header we read

Bitmap decode_bmp(const uint8_t *data, size_t length) {
    Bitmap empty = {};
    if (!data || length < FILE_HEADER + INFO_HEADER) return empty;
    if (data[0] != 'B' || data[1] != 'M') return empty;

    uint32_t header_size = read_u32(data + 14);
    if (header_size < INFO_HEADER || header_size > length - FILE_HEADER) return empty;
    uint16_t bits = read_u16(data + 28);
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32) return empty;
    if (read_u32(data + 30) != 0) return empty; // compressed or bit fields

    int32_t width = (int32_t)read_u32(data + 18);
    int32_t height = (int32_t)read_u32(data + 22);
    if (width <= 0 || height == 0 || height == INT_MIN) return empty;
    bool top_down = height < 0;
    uint32_t w = (uint32_t)width, h = (uint32_t)(top_down ? -height : height);
    uint32_t b = bits / 8;
    if (w > BMP_MAX_SIDE || h > BMP_MAX_SIDE) return empty;
    uint64_t row_size = (uint64_t)w * b;
    uint64_t image_size = row_size * h;
    if (image_size > BMP_MAX_BYTES) return empty;

    // The palette follows the information header, whatever its version.
    uint64_t palette_start = FILE_HEADER + header_size;
    uint64_t palette_entries = 0;
    if (b == 1) {
        uint32_t used = read_u32(data + 46);
        if (used > 256) return empty;
        palette_entries = used ? used : 256;
    }
    uint64_t palette_end = palette_start + palette_entries * 4;
    uint64_t data_start = read_u32(data + 10);
    if (palette_end > length || data_start < palette_end) return empty;

    uint64_t stride = (row_size + 3) & ~(uint64_t)3;
    // The last row's padding may be missing; its pixels may not.
    if (data_start > length || stride * (h - 1) + row_size > length - data_start) return empty;

    Bitmap image = {};
    image.width = w;
    image.height = h;
    image.bytes_per_pixel = (uint8_t)b;
    image.pixels = (uint8_t *)malloc(image_size);
    if (!image.pixels) return empty;
    if (b == 1) {
        image.palette = (uint8_t *)calloc(256, 4);
        if (!image.palette) {
            free(image.pixels);
            return empty;
        }
        memcpy(image.palette, data + palette_start, palette_entries * 4);
    }
    for (uint32_t k = 0; k < h; k++) {
        uint32_t row = top_down ? k : h - 1 - k;
        memcpy(image.pixels + row * row_size, data + data_start + k * stride, row_size);
    }
    return image;
}

void release_bitmap(Bitmap *image) {
    free(image->pixels);
    free(image->palette);
    *image = Bitmap{};
}
