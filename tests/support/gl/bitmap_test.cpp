#include "bitmap.h"

#include <gtest/gtest.h>

#include <vector>

static void put(std::vector<uint8_t> &f, size_t at, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; i++) f[at + i] = (v >> (8 * i)) & 0xFF;
}

// A 5 x 3 24-bit file, or 2 x 2 8-bit with 16 colours, rows padded to 4 bytes;
// byte k of file row r (the bottom row first) is r * 16 + k.
static std::vector<uint8_t> make_bmp(uint16_t bits) {
    uint32_t width = bits == 8 ? 2 : 5, height = bits == 8 ? 2 : 3, row = width * bits / 8;
    uint32_t stride = (row + 3) & ~3u, offset = 54 + (bits == 8 ? 64 : 0);
    std::vector<uint8_t> f(offset + stride * height, 0);
    f[0] = 'B', f[1] = 'M';
    const uint32_t fields[][2] = {{10, offset}, {14, 40},   {18, width},
                                  {22, height}, {28, bits}, {46, bits == 8 ? 16u : 0}};
    for (auto [at, v] : fields) put(f, at, v, 4);
    for (uint32_t i = 0; i < 64 && bits == 8; i++) f[54 + i] = i % 4 == 3 ? 0 : i / 4 + i % 4;
    for (uint32_t k = 0; k < stride * height; k++)
        f[offset + k] = k % stride < row ? k / stride * 16 + k % stride : 0xEE;
    return f;
}

// From an exact-size copy: the address sanitizer sees a read past it.
static Bitmap decode(const std::vector<uint8_t> &file, size_t length) {
    std::vector<uint8_t> copy(file.begin(), file.begin() + (long)length);
    return decode_bmp(copy.data(), length);
}

TEST(DecodeBmp, RowsComeOutTopFirstWithoutPaddingAndThePaletteWithThem) {
    Bitmap image = decode(make_bmp(24), make_bmp(24).size());
    std::vector<uint8_t> pixels(image.pixels, image.pixels + 45);
    for (int k = 0; k < 45; k++) EXPECT_EQ(pixels[k], (2 - k / 15) * 16 + k % 15) << k;
    EXPECT_EQ(std::tuple(image.width, image.height, image.bytes_per_pixel),
              std::tuple(5u, 3u, (uint8_t)3))
        << "a 24-bit picture";
    EXPECT_EQ(image.palette, nullptr) << "a 24-bit picture has no palette";
    release_bitmap(&image);
    image = decode(make_bmp(8), make_bmp(8).size());
    ASSERT_NE(image.palette, nullptr);
    for (int i = 0; i < 1024; i++)
        EXPECT_EQ(image.palette[i], i < 64 && i % 4 != 3 ? i / 4 + i % 4 : 0) << i;
    EXPECT_EQ(std::vector<uint8_t>(image.pixels, image.pixels + 4),
              std::vector<uint8_t>({16, 17, 0, 1}));
    release_bitmap(&image);
}

TEST(DecodeBmp, RefusesWhatItCannotDecodeExactly) {
    const struct {
        uint16_t bits;
        size_t at;
        uint32_t value;
        int bytes;
    } cases[] = {
        {24, 0, 'X', 1},
        {24, 1, 'X', 1},
        {24, 14, 12, 4},
        {24, 14, 0x7FFFFFF0, 4},
        {24, 28, 12, 2},
        {24, 30, 1, 4},
        {24, 18, 0, 4},
        {24, 18, (uint32_t)-5, 4},
        {24, 22, 0, 4},
        {24, 22, 0x80000000u, 4},
        {24, 18, BMP_MAX_SIDE + 1, 4},
        {24, 10, 0xFFFFFFF0u, 4},
        {24, 10, 20, 4},
        {24, 22, 4, 4},
        {8, 46, 257, 4},
        {8, 46, 200, 4},
    };
    for (auto c : cases) {
        std::vector<uint8_t> file = make_bmp(c.bits);
        put(file, c.at, c.value, c.bytes);
        Bitmap image = decode(file, file.size());
        EXPECT_EQ(std::tuple(image.width, image.height, image.bytes_per_pixel, image.pixels,
                             image.palette),
                  std::tuple(0u, 0u, (uint8_t)0, nullptr, nullptr))
            << "byte " << c.at << " = " << c.value;
    }
    std::vector<uint8_t> file = make_bmp(24);
    put(file, 18, BMP_MAX_SIDE, 4), put(file, 22, BMP_MAX_SIDE, 4); // sides fit, bytes do not
    EXPECT_EQ(decode(file, file.size()).pixels, nullptr);
    for (size_t length = 0; length < file.size(); length++) { // the last pad may be cut
        Bitmap image = decode(make_bmp(24), length);
        EXPECT_EQ(image.pixels == nullptr, length < make_bmp(24).size() - 1) << "cut at " << length;
        release_bitmap(&image);
    }
    EXPECT_EQ(decode_bmp(nullptr, 100).width, 0u);
}
