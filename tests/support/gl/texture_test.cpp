#include "texture.h"

#include <cstdlib>
#include <vector>

#include "gl_helpers.h"

namespace {

class Textures : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        saved_state = mipmap_extension_state;
    }
    void TearDown() override {
        mipmap_extension_state = saved_state;
        WindowTest::TearDown();
    }
    static GLint level_size(int level, GLenum which) {
        GLint v = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, which, &v);
        return v;
    }
    static std::vector<uint8_t> read_level(int level, GLenum format, int n) {
        int w = level_size(level, GL_TEXTURE_WIDTH), h = level_size(level, GL_TEXTURE_HEIGHT);
        std::vector<uint8_t> pixels((size_t)h * aligned_row_bytes(w, n));
        glGetTexImage(GL_TEXTURE_2D, level, format, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }
    int saved_state;
};

TEST_F(Textures, PictureStandsUprightInTheBottomLeftCorner) {
    const int w = 300, h = 200;
    std::vector<uint8_t> bgr(w * h * 3);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            uint8_t *p = &bgr[(y * w + x) * 3];
            p[0] = x % 251; // blue
            p[1] = y;       // green
            p[2] = 7;       // red
        }
    Bitmap image = {w, h, 3, bgr.data(), nullptr};
    uint32_t tw = 0, th = 0;
    GLuint name = create_texture_from_bitmap(&tw, &th, image);
    EXPECT_EQ(tw, 512u);
    EXPECT_EQ(th, 256u);
    GLint bound;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ((GLuint)bound, name);

    std::vector<uint8_t> texels = read_level(0, GL_RGB, 3);
    const uint32_t stride = aligned_row_bytes(512, 3);
    for (int row = 0; row < 256; row++) {
        for (int x = 0; x < 512; x++) {
            const uint8_t *t = &texels[row * stride + x * 3];
            if (row < h && x < w) {
                int y = h - 1 - row; // texture row 0 is the picture's bottom
                ASSERT_EQ(t[0], 7) << row << "," << x;
                ASSERT_EQ(t[1], y) << row << "," << x;
                ASSERT_EQ(t[2], x % 251) << row << "," << x;
            } else {
                ASSERT_EQ(t[0] | t[1] | t[2], 0) << "outside the picture at " << row << "," << x;
            }
        }
    }

    GLfloat value;
    glGetTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR_MIPMAP_LINEAR);
    glGetTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &value);
    EXPECT_EQ(value, GL_REPEAT);
    glGetTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &value);
    EXPECT_EQ(value, GL_MODULATE);
    glDeleteTextures(1, &name);
}

TEST_F(Textures, NothingToShowGivesOneDarkBlueTexel) {
    Bitmap zero_width = {0, 5, 3, nullptr, nullptr};
    Bitmap empty = {};
    for (Bitmap image : {zero_width, empty}) {
        uint32_t tw = 0, th = 0;
        GLuint name = create_texture_from_bitmap(&tw, &th, image);
        EXPECT_EQ(tw, 1u);
        EXPECT_EQ(th, 1u);
        std::vector<uint8_t> texel = read_level(0, GL_RGB, 3);
        EXPECT_EQ(texel[0], 0);
        EXPECT_EQ(texel[1], 0);
        EXPECT_EQ(texel[2], 128);
        glDeleteTextures(1, &name);
    }
    Bitmap rgba = {0, 0, 4, nullptr, nullptr};
    GLuint name = create_texture_from_bitmap(nullptr, nullptr, rgba);
    std::vector<uint8_t> texel = read_level(0, GL_RGBA, 4);
    EXPECT_EQ(texel[2], 128);
    EXPECT_EQ(texel[3], 0);
    glDeleteTextures(1, &name);
}

TEST_F(Textures, OneAndTwoBytePixelsAreUploadedToo) {
    uint8_t grey[3] = {10, 20, 30};
    Bitmap image = {3, 1, 1, grey, nullptr};
    GLuint name = create_texture_from_bitmap(nullptr, nullptr, image);
    std::vector<uint8_t> texels = read_level(0, GL_LUMINANCE, 1);
    EXPECT_EQ(texels[0], 10);
    EXPECT_EQ(texels[2], 30);
    EXPECT_EQ(texels[3], 0);
    glDeleteTextures(1, &name);

    uint8_t pairs[4] = {50, 60, 70, 80};
    Bitmap la = {2, 1, 2, pairs, nullptr};
    name = create_texture_from_bitmap(nullptr, nullptr, la);
    texels = read_level(0, GL_LUMINANCE_ALPHA, 2);
    EXPECT_EQ(std::vector<uint8_t>(texels.begin(), texels.begin() + 4),
              (std::vector<uint8_t>{50, 60, 70, 80}));
    glDeleteTextures(1, &name);
}

// The rounded 2x2 box filter, written plainly: one new buffer per level.
std::vector<uint8_t> box_filter(const std::vector<uint8_t> &src, int w, int h, int n) {
    int w2 = std::max(w / 2, 1), h2 = std::max(h / 2, 1);
    uint32_t s = aligned_row_bytes(w, n), s2 = aligned_row_bytes(w2, n);
    std::vector<uint8_t> dst((size_t)h2 * s2, 0);
    for (int y = 0; y < h2; y++)
        for (int x = 0; x < w2; x++)
            for (int k = 0; k < n; k++) {
                int xs[2] = {2 * x, std::min(2 * x + 1, w - 1)};
                int ys[2] = {2 * y, std::min(2 * y + 1, h - 1)};
                int sum = 0;
                for (int a : xs)
                    for (int b : ys) sum += src[b * s + a * n + k];
                dst[y * s2 + x * n + k] = (sum + 2) / 4;
            }
    return dst;
}

void check_software_chain(int w, int h, int n, int expected_levels, unsigned seed) {
    srand(seed);
    std::vector<uint8_t> pixels((size_t)w * h * n);
    for (uint8_t &p : pixels) p = rand() & 0xFF;
    Bitmap image = {(uint32_t)w, (uint32_t)h, (uint8_t)n, pixels.data(), nullptr};
    mipmap_extension_state = 0;
    GLuint name = create_texture_from_bitmap(nullptr, nullptr, image);
    GLenum format = pixel_format_for(n);

    std::vector<uint8_t> expected;
    {
        GLint tw, th;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &tw);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &th);
        expected.resize((size_t)th * aligned_row_bytes(tw, n));
        glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, expected.data());
    }
    int lw = w, lh = h, level = 0;
    while (lw > 1 || lh > 1) {
        expected = box_filter(expected, lw, lh, n);
        lw = std::max(lw / 2, 1);
        lh = std::max(lh / 2, 1);
        level++;
        GLint gw = 0, gh = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &gw);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &gh);
        ASSERT_EQ(gw, lw) << "level " << level;
        ASSERT_EQ(gh, lh) << "level " << level;
        std::vector<uint8_t> got(expected.size());
        glGetTexImage(GL_TEXTURE_2D, level, format, GL_UNSIGNED_BYTE, got.data());
        for (int y = 0; y < lh; y++)
            for (int i = 0; i < lw * n; i++) {
                size_t at = y * aligned_row_bytes(lw, n) + i;
                ASSERT_EQ(got[at], expected[at])
                    << "level " << level << " row " << y << " byte " << i;
            }
    }
    EXPECT_EQ(level, expected_levels);
    glDeleteTextures(1, &name);
}

TEST_F(Textures, SoftwareMipmapsFollowTheBoxFilterDownToOneTexel) {
    check_software_chain(64, 64, 3, 6, 1);
    check_software_chain(256, 256, 3, 8, 2);
    check_software_chain(2048, 128, 4, 11, 3); // the rows of height 1 reuse their single row
    check_software_chain(8, 32, 3, 5, 4);
}

TEST_F(Textures, BoxFilterRoundsHalfUp) {
    // One 2 x 2 RGBA picture, each channel a rounding case.
    uint8_t buffer[16] = {0, 1, 2, 255, 0, 1, 2, 255, 0, 1, 2, 255, 1, 2, 3, 255};
    GLuint name = new_texture_name();
    downsample_mipmap_chain(GL_TEXTURE_2D, 4, 2, 2, buffer);
    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(buffer[1], 1);
    EXPECT_EQ(buffer[2], 2);
    EXPECT_EQ(buffer[3], 255);
    glDeleteTextures(1, &name);
}

TEST_F(Textures, DriverMipmapEntryIsLookedUpOnce) {
    mipmap_extension_state = -1;
    generate_mipmap_entry = nullptr;
    mipmap_entry_lookups = 0;
    std::vector<uint8_t> pixels(16 * 16 * 3, 200);
    Bitmap image = {16, 16, 3, pixels.data(), nullptr};
    GLuint names[3];
    for (GLuint &name : names) name = create_texture_from_bitmap(nullptr, nullptr, image);
    const char *extensions = (const char *)glGetString(GL_EXTENSIONS);
    if (!strstr(extensions, "GL_SGIS_generate_mipmap")) {
        EXPECT_EQ(mipmap_extension_state, 0);
        EXPECT_EQ(mipmap_entry_lookups, 0u);
    } else {
        EXPECT_EQ(mipmap_extension_state, 1);
        EXPECT_EQ(mipmap_entry_lookups, 1u);
        EXPECT_NE(generate_mipmap_entry, nullptr);
    }
    // Either way the last texture has its whole chain.
    EXPECT_EQ(level_size(4, GL_TEXTURE_WIDTH), 1);
    std::vector<uint8_t> top = read_level(4, GL_RGB, 3);
    EXPECT_EQ(top[0], 200);
    glDeleteTextures(3, names);
}

} // namespace
