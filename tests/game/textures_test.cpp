#include "textures.h"

#include <gtest/gtest.h>

#include <vector>

// A mid-grey face rising to a bright rim 24 from the centre, then the outer
// bevel.
TEST(Textures, TheBevelAtItsTellingPixels) {
    std::vector<uint8_t> pixels(BLOCK_TEXTURE_SIZE * BLOCK_TEXTURE_SIZE * 3);
    fill_block_texture(pixels.data());
    const int cases[][3] = {{32, 32, 127}, {32, 8, 255},  {32, 9, 249},
                            {0, 0, 127},   {63, 63, 143}, {40, 32, 170}};
    for (auto [row, column, value] : cases) {
        const uint8_t *p = &pixels[(row * BLOCK_TEXTURE_SIZE + column) * 3];
        EXPECT_EQ(std::vector<int>(p, p + 3), std::vector<int>(3, value)) << row << "," << column;
    }
}
