// The game font loaded into a real GL context: the loader, styles and text.
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "../support/gl/feedback.h"
#include "../support/gl/gl_helpers.h"
#include "bitmapfonts.h"
#include "font_helpers.h"
#include "builtin_font.h"
#include "report.h"
#include "text.h"
#include "texture.h"

namespace {

class GameFont : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        forget_fonts();
    }
    void TearDown() override {
        font_texture_limit = 2048;
        forget_fonts();
        WindowTest::TearDown();
    }
    BitmapFont *load_normal() { return load_game_font(); }
    static int advance_of(BitmapFont *f, int slot) { return (int)f->glyph_width[slot] + 5; }
};

TEST_F(GameFont, LoadsIntoOneTextureAndBecomesCurrent) {
    BitmapFont *normal = load_normal();
    EXPECT_EQ(current_font, normal);
    EXPECT_STREQ(normal->name, "normal");
    EXPECT_EQ(normal->texture_width, 2048u);
    EXPECT_EQ(normal->texture_height, 128u);
    EXPECT_EQ(normal->cell_height, 50u);
    EXPECT_EQ(normal->max_glyph_width, 30u);
    EXPECT_EQ(text_line_height, 50);
    EXPECT_EQ(normal->style.base, normal);
    EXPECT_EQ(normal->style.glyph_slots, 512u);
    GLfloat bias = 0;
    glBindTexture(GL_TEXTURE_2D, normal->texture);
    glGetTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_LOD_BIAS, &bias);
    EXPECT_EQ(bias, -0.5f);

    // A font loaded while another is current is only registered.
    const uint8_t small[] = {2, 2, 39, 39, 39, 39};
    load_font_data(small, sizeof small, "small");
    EXPECT_EQ(font_list.count, 2u);
    EXPECT_EQ(current_font, normal);
    EXPECT_EQ(text_line_height, 50);

    load_font_data(nullptr, 0, "empty");
    BitmapFont *empty = fonts[2];
    EXPECT_EQ(empty->texture_width, 1u);
    EXPECT_EQ(empty->texture_height, 1u);
    EXPECT_EQ(empty->max_glyph_width, 0u);
    EXPECT_EQ(empty->cell_height, 1u);
}

TEST_F(GameFont, TooTallForTheTextureLimitIsFatal) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    font_texture_limit = 256;
    fatal_pause_microseconds = 0;
    EXPECT_EXIT(
        {
            fflush(stdout);
            dup2(2, 1);
            load_normal();
        },
        ::testing::ExitedWithCode(1),
        "\\[FATAL ERROR\\] Font 'normal' required texture of size 256x1024 but maxtx=256");
}

// The rounded box filter, for reference.
std::vector<uint8_t> halve(const std::vector<uint8_t> &src, int w, int h) {
    int w2 = std::max(w / 2, 1), h2 = std::max(h / 2, 1);
    std::vector<uint8_t> dst((size_t)w2 * h2 * 4);
    for (int y = 0; y < h2; y++)
        for (int x = 0; x < w2; x++)
            for (int k = 0; k < 4; k++) {
                int x1 = std::min(2 * x + 1, w - 1), y1 = std::min(2 * y + 1, h - 1);
                int sum = src[(2 * y * w + 2 * x) * 4 + k] + src[(2 * y * w + x1) * 4 + k] +
                          src[(y1 * w + 2 * x) * 4 + k] + src[(y1 * w + x1) * 4 + k];
                dst[(y * w2 + x) * 4 + k] = (sum + 2) / 4;
            }
    return dst;
}

TEST_F(GameFont, ReducedLevelsOfTheDigitsAreStretchedAndLifted) {
    int saved = mipmap_extension_state;
    mipmap_extension_state = 0; // box-filtered levels, so the test can make them too
    BitmapFont *f = load_normal();
    mipmap_extension_state = saved;
    uint8_t boost[256];
    glyph_boost_table(boost);

    int w = f->texture_width, h = f->texture_height;
    std::vector<uint8_t> level(w * h * 4);
    glBindTexture(GL_TEXTURE_2D, f->texture);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, level.data());
    int levels = 0;
    for (int L = 1; w > 1 || h > 1; L++) {
        level = halve(level, w, h); // from the unboosted level above
        w = std::max(w / 2, 1);
        h = std::max(h / 2, 1);
        std::vector<uint8_t> expected = level;
        for (int g = '0'; g <= '9'; g++) {
            uint32_t y0 = f->glyph_y[g] >> L, y1 = (f->glyph_y[g] + f->cell_height) >> L;
            uint32_t x0 = f->glyph_x[g] >> L, x1 = x0 + (f->glyph_width[g] >> L);
            float m = 0.001f;
            for (uint32_t y = y0; y < y1; y++)
                for (uint32_t i = x0 * 4; i < x1 * 4; i++)
                    m = std::max(m, (float)level[y * w * 4 + i]);
            for (uint32_t y = y0; y < y1; y++)
                for (uint32_t i = x0 * 4; i < x1 * 4; i++)
                    expected[y * w * 4 + i] = boost[(int)(level[y * w * 4 + i] * (255.4 / m))];
        }
        std::vector<uint8_t> got(w * h * 4);
        glGetTexImage(GL_TEXTURE_2D, L, GL_RGBA, GL_UNSIGNED_BYTE, got.data());
        ASSERT_EQ(got, expected) << "level " << L;
        levels = L;
        // The next level is filtered from the unboosted one, as the chain was
        // built before the boost.
    }
    EXPECT_EQ(levels, 11);
}

TEST_F(GameFont, StyleRequestsReuseCloseFontsAndMakeVariants) {
    BitmapFont *normal = load_normal();
    FontStyle style = normal->style;
    style.glyph_slots = 0;

    style.width = 1.1f; // dw = 1.953: close enough
    select_font_style(style);
    EXPECT_EQ(current_font, normal);
    EXPECT_EQ(current_style.width, 1.1f);
    EXPECT_EQ(font_list.count, 1u);

    style.width = 2.0f;
    select_font_style(style);
    ASSERT_EQ(font_list.count, 2u);
    EXPECT_STREQ(current_font->name, "normal:width=2");
    EXPECT_EQ(current_font->texture, normal->texture);
    EXPECT_EQ(current_font->style.glyph_slots, 0u);
    BitmapFont *wide = current_font;
    select_font_style(normal->style);
    EXPECT_EQ(current_font, normal);
    select_font_style(style); // found again, nothing new
    EXPECT_EQ(current_font, wide);
    EXPECT_EQ(font_list.count, 2u);

    FontStyle bold = normal->style;
    bold.boldness = 0.01f; // score 0.5
    EXPECT_EQ(find_font_variant(bold), normal);
    bold.boldness = 0.02f; // score exactly 0: not close enough
    BitmapFont *v = find_font_variant(bold);
    EXPECT_STREQ(v->name, "normal:boldness=0.02");
    EXPECT_EQ(font_list.count, 3u);
    bold.boldness = 0.01f; // now as close to the variant, which is newer
    EXPECT_EQ(find_font_variant(bold), v);

    FontStyle both = normal->style;
    both.width = 2.0f;
    both.boldness = 0.25f;
    EXPECT_STREQ(find_font_variant(both)->name, "normal:width=2:boldness=0.25");
}

TEST_F(GameFont, ForeignBaseCopiesTheBestLoadedFont) {
    BitmapFont *normal = load_normal();
    const uint8_t small[] = {2, 2, 39, 39, 39, 39};
    load_font_data(small, sizeof small, "small");
    BitmapFont *smallf = fonts[1];
    BitmapFont stranger = *normal;
    FontStyle style = DEFAULT_FONT_STYLE;
    style.base = &stranger;
    BitmapFont *v = find_font_variant(style);
    EXPECT_EQ(v->style.base, &stranger);
    EXPECT_EQ(v->texture, smallf->texture) << "the first visited, the newest";
    EXPECT_STREQ(v->name, "small");
}

TEST_F(GameFont, SizesThatMeanNothingAreRefused) {
    load_normal();
    FontStyle before = current_style;
    for (float bad : {0.0f, -1.0f, INFINITY, NAN}) {
        FontStyle s = before;
        s.width = bad;
        select_font_style(s);
        s = before;
        s.height = bad;
        select_font_style(s);
    }
    EXPECT_EQ(memcmp(&before, &current_style, sizeof before), 0);
    EXPECT_EQ(font_list.count, 1u);
}

TEST_F(GameFont, WidthsAddTheLetterSpacing) {
    BitmapFont *f = load_normal();
    int expected = 0;
    for (const char *p = "Rows: 0"; *p; p++) expected += advance_of(f, (uint8_t)*p);
    EXPECT_EQ(text_width("Rows: 0"), expected);
    EXPECT_EQ(text_width(""), 0);
    EXPECT_EQ(text_width(nullptr), text_width("NULL?"));
    EXPECT_EQ(text_width("A\nB"), advance_of(f, 'A') + advance_of(f, 'B'));
    EXPECT_EQ(text_width("\x80\xFF"), 10) << "empty slots advance by the spacing";
    const char pen[] = "x\x05\x01\x64\x00\x00\x00"
                       "A";
    EXPECT_EQ(text_width_n(pen, sizeof pen - 1), 100 + advance_of(f, 'A'));
    const char escapes[] = "\x02\x00\x41\x02\x01\x00";
    EXPECT_EQ(text_width_n(escapes, sizeof escapes - 1), advance_of(f, 'A') + 5);
    const char beyond[] = "\x02\x02\x00"
                          "A"; // slot 512: nothing
    EXPECT_EQ(text_width_n(beyond, sizeof beyond - 1), advance_of(f, 'A'));
    for (size_t cut = 0; cut < 6; cut++) // escapes cut short end the text
        EXPECT_EQ(text_width_n("A\x05\x01\x64\x00\x00", 1 + cut), advance_of(f, 'A'));
    const char size[] = "\x05\x02\x00\x02\x00\x00"
                        "A"; // 200 %
    EXPECT_EQ(text_width_n(size, sizeof size - 1), (int)(2 * f->glyph_width['A'] + 5.5));
}

// Draws one text and returns its glyph quads in overlay pixels (y down).
std::vector<FeedbackPolygon> draw_quads(const char *text, size_t length, uint32_t colour, float x,
                                        float y, float wrap = 0, float limit = 0,
                                        float *returned = nullptr) {
    auto polygons = capture_polygons(
        [&] {
            begin_text();
            float r = draw_text_n(text, length, colour, x, y, wrap, limit);
            if (returned) *returned = r;
            end_text();
        },
        0);
    for (auto &p : polygons)
        for (auto &v : p) v.y = (float)screen_height - v.y;
    return join_quads(polygons);
}

std::vector<FeedbackPolygon> draw_quads(const std::string &text, float x, float y, float wrap = 0,
                                        float limit = 0, float *returned = nullptr) {
    return draw_quads(text.data(), text.size(), 0xFFFFFF, x, y, wrap, limit, returned);
}

TEST_F(GameFont, GlyphQuadsAreWholeCells) {
    BitmapFont *f = load_normal();
    auto quads = draw_quads(std::string("A\nB"), 10, 20);
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_NEAR(quads[0][0].x, 10, 1e-3);
    EXPECT_NEAR(quads[0][0].y, 20, 1e-3);
    EXPECT_NEAR(quads[0][2].x, 10 + f->glyph_width['A'], 1e-3);
    EXPECT_NEAR(quads[0][2].y, 70, 1e-3) << "one cell tall";
    EXPECT_NEAR(quads[1][0].x, 10, 1e-3) << "B at the line start";
    EXPECT_NEAR(quads[1][0].y, 20 + 51, 1e-3);
    float du = 1.0f / f->texture_width;
    EXPECT_NEAR(quads[0][0].s, f->glyph_x['A'] * du, 1e-6);
    EXPECT_NEAR(quads[0][1].s, (f->glyph_x['A'] + f->glyph_width['A']) * du, 1e-6);
    EXPECT_NEAR(quads[0][2].t, (f->glyph_y['A'] + 50.0f) / f->texture_height, 1e-6);
}

TEST_F(GameFont, EscapesControlsAndColours) {
    BitmapFont *f = load_normal();
    auto quads = draw_quads(std::string("\x02\x00\x41\x02\x01\x00", 6), 0, 0);
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_NEAR(quads[0][1].x, f->glyph_width['A'], 1e-3);
    EXPECT_NEAR(quads[1][0].x, advance_of(f, 'A'), 1e-3);
    EXPECT_NEAR(quads[1][1].x, quads[1][0].x, 1e-3) << "slot 256 is empty: a zero-width quad";

    quads = draw_quads(std::string("x\x05\x01\x64\x00\x00\x00"
                                   "A",
                                   8),
                       300, 0);
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_NEAR(quads[1][0].x, 100, 1e-3);

    quads = draw_quads(std::string("\x05\x00\x00\x40\x70\x00"
                                   "A",
                                   7),
                       0, 0);
    ASSERT_EQ(quads.size(), 1u);
    EXPECT_NEAR(quads[0][0].r * 255, 112, 0.5);
    EXPECT_NEAR(quads[0][0].g * 255, 64, 0.5);
    EXPECT_NEAR(quads[0][0].b * 255, 0, 0.5);

    quads = draw_quads("A", 1, 0x704000, 0, 0);
    EXPECT_NEAR(quads[0][0].r * 255, 112, 0.5);

    quads = draw_quads(nullptr, SIZE_MAX, 0xFFFFFF, 0, 0);
    EXPECT_EQ(quads.size(), 5u) << "NULL?";

    glColor4ub(1, 2, 3, 4);
    float y = -1;
    quads = draw_quads("", 0, 0x704000, 0, 33, 0, 0, &y);
    EXPECT_EQ(y, 33);
    float colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_NEAR(colour[0] * 255, 1, 0.5) << "an empty text sets no colour";

    quads = draw_quads(std::string("\x02\x02\x00"
                                   "A",
                                   4),
                       0, 0); // slot 512
    ASSERT_EQ(quads.size(), 1u);
    EXPECT_NEAR(quads[0][0].x, 0, 1e-3) << "no advance for a slot past the tables";
}

TEST_F(GameFont, SizeControlMakesADoubleSizeVariantThatStays) {
    BitmapFont *f = load_normal();
    auto quads = draw_quads(std::string("A\x05\x02\x00\x02\x00\x00"
                                        "A",
                                        8),
                            0, 0);
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_STREQ(current_font->name, "normal:width=2:height=2");
    EXPECT_EQ(text_line_height, 100);
    EXPECT_NEAR(quads[1][0].x, advance_of(f, 'A'), 1e-3);
    EXPECT_NEAR(quads[1][1].x - quads[1][0].x, 2 * f->glyph_width['A'], 1e-3);
    EXPECT_NEAR(quads[1][2].y - quads[1][1].y, 100, 1e-3);
    // The letter spacing follows the line height: the next advance is
    // twice the width plus 10.
    quads = draw_quads(std::string("AA"), 0, 0);
    EXPECT_NEAR(quads[1][0].x, 2 * f->glyph_width['A'] + 10, 1e-3);
}

TEST_F(GameFont, RaiseLiftsTheFollowingGlyphs) {
    load_normal();
    auto quads = draw_quads(std::string("A\x05\x02\x00\x01\x80\x00"
                                        "A\x05\x02\x00\x01\x00\x00"
                                        "A",
                                        15),
                            0, 100);
    ASSERT_EQ(quads.size(), 3u);
    EXPECT_NEAR(quads[0][0].y, 100, 1e-3);
    EXPECT_NEAR(quads[1][0].y, 75, 1e-3);
    EXPECT_NEAR(quads[2][0].y, 100, 1e-3);
    EXPECT_STREQ(current_font->name, "normal") << "100 % is the current style";
}

TEST_F(GameFont, WrapsAtWordsAndBreaksLongWords) {
    BitmapFont *f = load_normal();
    float y = 0;
    // "aaa" is 3 x (20 + 5) = 75 wide; the third word would end past 200.
    auto quads = draw_quads(std::string("aaa aaa aaa"), 0, 0, 200, 0, &y);
    ASSERT_EQ(quads.size(), 9u);
    EXPECT_NEAR(quads[3][0].x, 75 + advance_of(f, ' '), 1e-3);
    EXPECT_NEAR(quads[3][0].y, 0, 1e-3);
    EXPECT_NEAR(quads[6][0].x, 0, 1e-3) << "third word on a new line";
    EXPECT_NEAR(quads[6][0].y, 51, 1e-3);
    EXPECT_EQ(y, 51);

    // One word longer than the line breaks after the glyph that crosses it.
    quads = draw_quads(std::string(12, 'a'), 0, 0, 200, 0, &y);
    ASSERT_EQ(quads.size(), 12u);
    EXPECT_NEAR(quads[8][0].y, 0, 1e-3); // pen at 225 after the 9th glyph
    EXPECT_NEAR(quads[9][0].y, 51, 1e-3);
    EXPECT_NEAR(quads[9][0].x, 0, 1e-3);

    // The bottom limit ends drawing at the line that goes past it.
    quads = draw_quads(std::string("aaa aaa aaa aaa aaa aaa"), 0, 0, 200, 60, &y);
    EXPECT_EQ(quads.size(), 12u);
    EXPECT_EQ(y, 102);
}

TEST_F(GameFont, WhiteGlyphPixelsOnAnyBackground) {
    load_normal();
    glClearColor(0.4f, 0.6f, 1.0f, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    begin_text();
    draw_text("I", 0xFFFFFF, 100, 100, 0, 0);
    end_text();
    glFinish();
    uint8_t stroke[3], beside[3];
    // The I's stem is the vertical bar tile: columns 3..6 white, rows 10..29.
    glReadPixels(104, screen_height - 1 - 120, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, stroke);
    glReadPixels(101, screen_height - 1 - 120, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, beside);
    EXPECT_EQ(stroke[0], 255);
    EXPECT_EQ(stroke[1], 255);
    EXPECT_EQ(stroke[2], 255);
    EXPECT_EQ(beside[0], 102) << "transparent texels leave the background";
    EXPECT_EQ(beside[1], 153);
    EXPECT_EQ(beside[2], 255);
    // end_text put everything back.
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

} // namespace
