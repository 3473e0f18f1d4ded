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

using Textures = WindowTest;

// Pictures of every depth stand upright in the bottom-left corner of a
// power-of-two texture, red and blue swapped into GL's order, with the
// settings every texture shares; the software mipmaps follow the rounded
// 2 x 2 box filter, written plainly here, down to one texel.
TEST_F(Textures, PicturesStandUprightWithBoxFilteredMipmaps) {
    int saved = mipmap_extension_state;
    mipmap_extension_state = 0, srand(1);
    const int order[4][4] = {{0}, {0, 1}, {2, 1, 0}, {2, 1, 0, 3}};
    const int cases[][4] = {{300, 5, 1, 512},     {300, 5, 2, 512}, {300, 5, 3, 512},
                            {2048, 128, 4, 2048}, {8, 32, 3, 8},    {2, 1, 3, 2},
                            {1, 1, 4, 1}};
    for (auto [w, h, n, size] : cases) {
        std::vector<uint8_t> pixels((size_t)w * h * n);
        for (uint8_t &p : pixels) p = rand();
        uint32_t tw = 0, th = 0;
        GLuint name = create_texture_from_bitmap(
            &tw, &th, {(uint32_t)w, (uint32_t)h, (uint8_t)n, pixels.data(), nullptr});
        GLfloat value[5];
        const GLenum settings[] = {GL_TEXTURE_MIN_FILTER, GL_TEXTURE_MAG_FILTER, GL_TEXTURE_WRAP_S,
                                   GL_TEXTURE_WRAP_T};
        for (int k = 0; k < 4; k++) glGetTexParameterfv(GL_TEXTURE_2D, settings[k], &value[k]);
        glGetTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &value[4]);
        EXPECT_EQ(std::vector<GLfloat>(value, value + 5),
                  std::vector<GLfloat>(
                      {GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR, GL_REPEAT, GL_REPEAT, GL_MODULATE}));
        EXPECT_EQ(
            std::vector<uint32_t>({tw, th, (uint32_t)level_size(0, GL_TEXTURE_INTERNAL_FORMAT)}),
            std::vector<uint32_t>({(uint32_t)size, h == 5 ? 8u : h, (uint32_t)n}))
            << "a plain component count";
        std::vector<uint8_t> src = read_level(0, n), expected(src.size(), 0);
        for (int i = 0; i < w * h * n; i++)
            expected[(h - 1 - i / (w * n)) * aligned_row_bytes(size, n) + i % (w * n)] =
                pixels[i - i % n + order[n - 1][i % n]];
        EXPECT_TRUE(src == expected) << w << "x" << h << ", " << n << " bytes a pixel";
        int level = 0, lw = size, lh = th;
        for (; lw > 1 || lh > 1; level++) {
            int w2 = std::max(lw / 2, 1), h2 = std::max(lh / 2, 1), s = aligned_row_bytes(lw, n),
                s2 = aligned_row_bytes(w2, n);
            std::vector<uint8_t> dst((size_t)h2 * s2, 0);
            for (int y = 0; y < h2; y++)
                for (int x = 0; x < w2 * n; x++) {
                    int x0 = x / n * 2 * n + x % n,
                        x1 = std::min(x / n * 2 + 1, lw - 1) * n + x % n,
                        y1 = std::min(2 * y + 1, lh - 1);
                    dst[y * s2 + x] = (src[2 * y * s + x0] + src[2 * y * s + x1] +
                                       src[y1 * s + x0] + src[y1 * s + x1] + 2) /
                                      4;
                }
            ASSERT_TRUE(read_level(level + 1, n) == dst) << w << "x" << h << " level " << level + 1;
            src = dst, lw = w2, lh = h2;
        }
        EXPECT_EQ(level_size(level + 1, GL_TEXTURE_WIDTH), 0) << "nothing past 1 x 1";
        glDeleteTextures(1, &name);
    }
    uint32_t tw = 0, th = 0; // an empty picture: one dark blue texel
    create_texture_from_bitmap(&tw, &th, {0, 5, 3, (uint8_t *)&tw, nullptr});
    EXPECT_EQ(read_level(0, 3), std::vector<uint8_t>({0, 0, 128, 0}));
    EXPECT_EQ(tw * 10 + th, 11u);
    mipmap_extension_state = saved;
}
