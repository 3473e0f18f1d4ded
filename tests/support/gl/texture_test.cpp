#include "texture.h"

#include <cstdlib>
#include <vector>

#include "gl_helpers.h"

static GLint level_size(int level, GLenum which) {
    GLint v = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, which, &v);
    return v;
}
static std::vector<uint8_t> read_level(int level, int n) {
    std::vector<uint8_t> pixels(level_size(level, GL_TEXTURE_HEIGHT) *
                                aligned_row_bytes(level_size(level, GL_TEXTURE_WIDTH), n));
    glGetTexImage(GL_TEXTURE_2D, level, pixel_format_for(n), GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

static std::vector<uint8_t> box_filtered(const std::vector<uint8_t> &src, int w, int h, int n) {
    int w2 = std::max(w / 2, 1), h2 = std::max(h / 2, 1), s = aligned_row_bytes(w, n),
        s2 = aligned_row_bytes(w2, n);
    std::vector<uint8_t> dst((size_t)h2 * s2, 0);
    for (int y = 0; y < h2; y++)
        for (int x = 0; x < w2 * n; x++) {
            int x0 = x / n * 2 * n + x % n, x1 = std::min(x / n * 2 + 1, w - 1) * n + x % n,
                y1 = std::min(2 * y + 1, h - 1);
            dst[y * s2 + x] = (src[2 * y * s + x0] + src[2 * y * s + x1] + src[y1 * s + x0] +
                               src[y1 * s + x1] + 2) /
                              4;
        }
    return dst;
}

using Textures = WindowTest;

// In a power-of-two texture, in GL's channel order.
TEST_F(Textures, PicturesStandUprightWithBoxFilteredMipmaps) {
    mipmap_extension_state = 0;
    srand(1);
    const int order[4][4] = {{0}, {0, 1}, {2, 1, 0}, {2, 1, 0, 3}};
    const std::tuple<int, int, int, int, int> cases[] = {
        {300, 5, 1, 512, 8},
        {2, 1, 3, 2, 1},
        {3, 3, 2, 4, 4},
        {1, 2, 4, 1, 2},
    };
    for (auto [w, h, n, tw, th] : cases) {
        std::vector<uint8_t> pixels((size_t)w * h * n);
        for (uint8_t &p : pixels) p = rand();
        uint32_t width = 0, height = 0;
        use_unsized_formats = n == 3;
        GLuint name = create_texture_from_bitmap(
            &width, &height, {(uint32_t)w, (uint32_t)h, (uint8_t)n, pixels.data(), nullptr});
        EXPECT_EQ(std::pair(width, height), std::pair((uint32_t)tw, (uint32_t)th)) << w << "x" << h;
        std::vector<uint8_t> level = read_level(0, n), expected(level.size(), 0);
        for (int i = 0; i < w * h * n; i++)
            expected[(h - 1 - i / (w * n)) * aligned_row_bytes(tw, n) + i % (w * n)] =
                pixels[i - i % n + order[n - 1][i % n]];
        EXPECT_TRUE(level == expected) << w << "x" << h << ", " << n << " bytes a pixel";
        int at = 0;
        for (int lw = tw, lh = th; lw > 1 || lh > 1;
             lw = std::max(lw / 2, 1), lh = std::max(lh / 2, 1)) {
            level = box_filtered(level, lw, lh, n);
            ASSERT_TRUE(read_level(++at, n) == level) << w << "x" << h << " level " << at;
        }
        glDeleteTextures(1, &name);
    }
    // No width or pixels: one dark texel; no pixel size, or five: three bytes.
    uint8_t texel[] = {128, 0, 0, 0};
    const Bitmap odd[] = {
        {0, 4, 3, texel, nullptr},
        {5, 5, 3, nullptr, nullptr},
        {1, 1, 0, texel, nullptr},
        {1, 1, 5, texel, nullptr},
    };
    for (const Bitmap &image : odd) {
        GLuint name = create_texture_from_bitmap(nullptr, nullptr, image);
        EXPECT_EQ(read_level(0, 4), std::vector<uint8_t>({0, 0, 128, 255})) << &image - odd;
        glDeleteTextures(1, &name);
    }
}
