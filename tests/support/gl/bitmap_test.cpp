#include "bitmap.h"

#include <gtest/gtest.h>

#include <vector>

static void put(std::vector<uint8_t> &f, size_t at, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; i++) f[at + i] = (v >> (8 * i)) & 0xFF;
}

// A 5 x 3 24-bit file; byte k of file row r (bottom first) is r * 16 + k.
static std::vector<uint8_t> make_bmp() {
    const uint32_t row = 15, stride = 16, height = 3;
    std::vector<uint8_t> f(54 + stride * height, 0);
    f[0] = 'B';
    f[1] = 'M';
    const uint32_t fields[][2] = {{10, 54}, {14, 40}, {18, 5}, {22, height}, {28, 24}};
    for (auto [at, v] : fields) put(f, at, v, 4);
    for (uint32_t k = 0; k < stride * height; k++)
        f[54 + k] = k % stride < row ? k / stride * 16 + k % stride : 0xEE;
    return f;
}

// From an exact-size copy: the address sanitizer sees a read past it.
static Bitmap decode(const std::vector<uint8_t> &file, size_t length) {
    std::vector<uint8_t> copy(file.begin(), file.begin() + (long)length);
    return decode_bmp(copy.data(), length);
}

TEST(DecodeBmp, RowsComeOutTopFirstWithoutPadding) {
    Bitmap image = decode(make_bmp(), make_bmp().size());
    std::vector<uint8_t> pixels(image.pixels, image.pixels + 45);
    for (int k = 0; k < 45; k++) EXPECT_EQ(pixels[k], (2 - k / 15) * 16 + k % 15) << k;
    EXPECT_EQ(std::tuple(image.width, image.height, image.bytes_per_pixel),
              std::tuple(5u, 3u, (uint8_t)3))
        << "a 24-bit picture";
    release_bitmap(&image);
}

TEST(DecodeBmp, RefusesWhatItCannotDecodeExactly) {
    for (auto [at, value, bytes] : {
             std::tuple{0, (uint32_t)'X', 1},
             {14, 12, 4},
             {28, 12, 2},
             {30, 1, 4},
             {18, 0, 4},
             {22, 0, 4},
             {22, 0x80000000u, 4},
             {10, 0xFFFFFFF0u, 4},
             {10, 53, 4},
         }) {
        std::vector<uint8_t> file = make_bmp();
        put(file, at, value, bytes);
        Bitmap image = decode(file, file.size());
        EXPECT_TRUE(!image.pixels) << "byte " << at << " = " << value;
    }
    std::vector<uint8_t> file = make_bmp();
    for (size_t length = 0; length < file.size(); length++) { // the last pad may be cut
        Bitmap image = decode(file, length);
        EXPECT_EQ(image.pixels == nullptr, length < file.size() - 1) << "cut at " << length;
        release_bitmap(&image);
    }
    // 8 bits with a palette of bytes 0 to 7, or all 256 entries; 16 and 32
    // bits; one row; top-down; up to the widest.
    for (auto [at, value, b] : {
             std::tuple{22, 1u, 1},
             {10, 60u, 0},
             {46, 257u, 0},
             {46, 256u, 1},
             {28, 16u, 2},
             {28, 32u, 4},
             {28, 12u, 0},
             {22, (uint32_t)-3, 1},
             {18, 1u, 1},
             {18, BMP_MAX_SIDE, 1},
             {18, BMP_MAX_SIDE + 1, 0},
         }) {
        file = make_bmp();
        file.resize(1 << 16);
        for (auto [field, v, bytes] :
             {std::tuple{28, 8u, 2}, {46, 2u, 4}, {10, 1100u, 4}, {at, value, 4}})
            put(file, field, v, bytes);
        Bitmap image = decode(file, file.size());
        EXPECT_EQ(std::pair(image.bytes_per_pixel, image.palette != nullptr),
                  std::pair((uint8_t)b, b == 1))
            << "byte " << at << " = " << value;
        for (int k = 0; k < 12 && image.palette; k++)
            EXPECT_EQ(image.palette[k], k < 8 || value == 256 ? k : 0) << "palette byte " << k;
        release_bitmap(&image);
    }
}
