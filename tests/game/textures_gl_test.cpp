#include "textures.h"

#include <vector>

#include "../support/gl/gl_helpers.h"
#include "texture.h"

namespace {

using GameTextures = WindowTest;

TEST_F(GameTextures, BlockTextureHoldsTheBevel) {
    GLuint name = make_block_texture();
    GLint bound, w, h;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    ASSERT_EQ((GLuint)bound, name);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    ASSERT_EQ(w, 64);
    ASSERT_EQ(h, 64);
    std::vector<uint8_t> expected(64 * 64 * 3), got(64 * 64 * 3);
    fill_block_texture(expected.data());
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, got.data());
    EXPECT_EQ(got, expected);
    GLint levels_w;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 6, GL_TEXTURE_WIDTH, &levels_w);
    EXPECT_EQ(levels_w, 1);
    GLfloat wrap;
    glGetTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
    EXPECT_EQ(wrap, GL_REPEAT);
    glDeleteTextures(1, &name);
}

TEST_F(GameTextures, WallTextureIsTheBrickPicture) {
    GLuint name = make_wall_texture();
    GLint w, h;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    EXPECT_EQ(w, 256);
    EXPECT_EQ(h, 256);
    std::vector<uint8_t> texels(256 * 256 * 3);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    double sum = 0;
    for (uint8_t v : texels) sum += v;
    EXPECT_GT(sum / texels.size(), 120) << "a light picture, not the dark placeholder";
    glDeleteTextures(1, &name);
}

} // namespace
