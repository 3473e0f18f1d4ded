// Builds BMP files byte by byte for the decoder's tests and fuzz seeds.
#pragma once

#include <cstdint>
#include <vector>

struct BmpFields {
    int32_t width = 2;
    int32_t height = 2;
    uint16_t bits = 24;
    uint32_t colours_used = 0;
    uint32_t compression = 0;
    uint32_t header_size = 40;
};

inline void put_le(std::vector<uint8_t> &f, size_t at, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; i++) f[at + i] = (v >> (8 * i)) & 0xFF;
}

// A well-formed file: palette entries i give (i, i+1, i+2, 0); pixel byte k
// of file row r (bottom row first) is r * 16 + k; row padding is 0xEE.
inline std::vector<uint8_t> make_bmp(const BmpFields &fields) {
    uint32_t b = fields.bits / 8;
    uint32_t h = fields.height < 0 ? -(int64_t)fields.height : fields.height;
    uint32_t row = fields.width * b, stride = (row + 3) & ~3u;
    uint32_t palette = fields.bits == 8 ? (fields.colours_used ? fields.colours_used : 256) * 4 : 0;
    uint32_t offset = 14 + fields.header_size + palette;
    std::vector<uint8_t> f(offset + stride * h, 0);
    f[0] = 'B';
    f[1] = 'M';
    put_le(f, 2, f.size(), 4);
    put_le(f, 10, offset, 4);
    put_le(f, 14, fields.header_size, 4);
    put_le(f, 18, fields.width, 4);
    put_le(f, 22, fields.height, 4);
    put_le(f, 26, 1, 2);
    put_le(f, 28, fields.bits, 2);
    put_le(f, 30, fields.compression, 4);
    put_le(f, 46, fields.colours_used, 4);
    for (uint32_t i = 0; i < palette / 4; i++) {
        f[14 + fields.header_size + i * 4] = i;
        f[14 + fields.header_size + i * 4 + 1] = i + 1;
        f[14 + fields.header_size + i * 4 + 2] = i + 2;
    }
    for (uint32_t r = 0; r < h; r++)
        for (uint32_t k = 0; k < stride; k++)
            f[offset + r * stride + k] = k < row ? (uint8_t)(r * 16 + k) : 0xEE;
    return f;
}
