#include "textures.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "embedded.h"

// A mid-grey face rising to a bright rim 24 from the centre, then the outer
// bevel; and the wall picture that its generator makes again from its seed.
TEST(Textures, TheBevelAtItsTellingPixelsAndTheWallPictureFromItsSeed) {
    std::vector<uint8_t> pixels(BLOCK_TEXTURE_SIZE * BLOCK_TEXTURE_SIZE * 3);
    fill_block_texture(pixels.data());
    const int cases[][3] = {{32, 32, 127}, {32, 8, 255},  {32, 9, 249},
                            {0, 0, 127},   {63, 63, 143}, {40, 32, 170}};
    for (auto [row, column, value] : cases) {
        const uint8_t *p = &pixels[(row * BLOCK_TEXTURE_SIZE + column) * 3];
        EXPECT_EQ(std::vector<int>(p, p + 3), std::vector<int>(3, value)) << row << "," << column;
    }
    std::string out = testing::TempDir() + "bricks_again.bmp";
    ASSERT_EQ(system((std::string(MAKE_BRICKS) + " " + out).c_str()), 0);
    std::ifstream made(out, std::ios::binary);
    EXPECT_TRUE(std::vector<uint8_t>(std::istreambuf_iterator<char>(made), {}) ==
                std::vector<uint8_t>(brick_bmp, brick_bmp + brick_bmp_size));
    std::remove(out.c_str());
}
