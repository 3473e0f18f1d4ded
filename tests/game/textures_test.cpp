#include "textures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bitmap.h"
#include "embedded.h"

namespace {

TEST(BlockTexture, GreyBevelAtItsTellingPixels) {
    std::vector<uint8_t> pixels(BLOCK_TEXTURE_SIZE * BLOCK_TEXTURE_SIZE * 3);
    fill_block_texture(pixels.data());
    auto at = [&](int row, int column) {
        const uint8_t *p = &pixels[(row * BLOCK_TEXTURE_SIZE + column) * 3];
        EXPECT_EQ(p[0], p[1]);
        EXPECT_EQ(p[1], p[2]);
        return p[0];
    };
    EXPECT_EQ(at(32, 32), 127);
    EXPECT_EQ(at(32, 8), 255); // d = 24: the bright rim
    EXPECT_EQ(at(32, 9), 249); // d = 23
    EXPECT_EQ(at(0, 0), 127);
    EXPECT_EQ(at(63, 63), 143);
    EXPECT_EQ(at(0, 32), 127);
}

Bitmap wall_picture() {
    return decode_bmp(brick_bmp, brick_bmp_size);
}

TEST(WallPicture, IsA256By256TwentyFourBitPicture) {
    ASSERT_EQ(brick_bmp_size, 196662u);
    Bitmap image = wall_picture();
    EXPECT_EQ(image.width, 256u);
    EXPECT_EQ(image.height, 256u);
    EXPECT_EQ(image.bytes_per_pixel, 3);
    EXPECT_EQ(image.palette, nullptr);
    // The file's last row is the picture's top.
    EXPECT_EQ(memcmp(image.pixels, brick_bmp + 54 + 255 * 768, 768), 0);
    release_bitmap(&image);
}

// Mean absolute difference between two lines of pixels.
double line_difference(const Bitmap &image, int x0, int y0, int x1, int y1, int dx, int dy) {
    double sum = 0;
    for (int i = 0; i < 256; i++) {
        const uint8_t *a = image.pixels + ((y0 + i * dy) * 256 + x0 + i * dx) * 3;
        const uint8_t *b = image.pixels + ((y1 + i * dy) * 256 + x1 + i * dx) * 3;
        for (int k = 0; k < 3; k++) sum += std::abs(a[k] - b[k]);
    }
    return sum / (256 * 3);
}

TEST(WallPicture, OppositeEdgesContinueEachOther) {
    Bitmap image = wall_picture();
    // Crossing the seam must look like crossing any line inside the
    // picture: no larger a change than the largest between neighbours.
    double rows = 0, columns = 0;
    for (int k = 0; k < 255; k++) {
        rows = std::max(rows, line_difference(image, 0, k, 0, k + 1, 1, 0));
        columns = std::max(columns, line_difference(image, k, 0, k + 1, 0, 0, 1));
    }
    EXPECT_LE(line_difference(image, 0, 255, 0, 0, 1, 0), rows);
    EXPECT_LE(line_difference(image, 255, 0, 0, 0, 0, 1), columns);
    release_bitmap(&image);
}

TEST(WallPicture, LightGreyBricksWithPaleMortar) {
    Bitmap image = wall_picture();
    double sum = 0;
    int bright = 0;
    for (uint32_t i = 0; i < 256 * 256; i++) {
        const uint8_t *p = image.pixels + i * 3;
        sum += (p[0] + p[1] + p[2]) / 3.0;
        bright += p[0] > 185;
        EXPECT_LT(std::abs(p[2] - p[0]), 30) << "grey, not coloured";
    }
    double mean = sum / (256 * 256);
    EXPECT_GT(mean, 140);
    EXPECT_LT(mean, 190);
    EXPECT_GT(bright, 256 * 256 / 20) << "mortar joints";
    release_bitmap(&image);
}

TEST(WallPicture, GeneratorMakesTheCommittedFileAgain) {
    std::string out = testing::TempDir() + "bricks_again.bmp";
    std::string command = std::string(MAKE_BRICKS) + " " + out;
    ASSERT_EQ(system(command.c_str()), 0);
    std::ifstream made(out, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(made)), {});
    ASSERT_EQ(bytes.size(), brick_bmp_size);
    EXPECT_EQ(memcmp(bytes.data(), brick_bmp, brick_bmp_size), 0);
    std::remove(out.c_str());
}

} // namespace
