// The game font in a real GL context: loading, styles, text and the overlay.
#include <cmath>

#include "../support/gl/gl_helpers.h"
#include "test_game.h"
#include "text.h"

class GameFont : public WindowTest {
  protected:
    void SetUp() override { WindowTest::SetUp(), forget_fonts(), load_game_font(); }
    void TearDown() override { forget_fonts(), WindowTest::TearDown(); }
};

// The corners of the quads one text draws in overlay pixels, after the pen y
// it returns and its width.
static std::vector<float> drawn(const std::string &text, float x = 0, float y = 0, float wrap = 0,
                                float limit = 0, bool terminated = false) {
    // A heap copy of exactly the text and its 0, so that a read past them is
    // caught by the address sanitizer.
    std::vector<char> copy(text.c_str(), text.c_str() + text.size() + 1);
    const char *t = copy.data();
    std::vector<float> out = {terminated ? text_width(t) : text_width_n(t, text.size())};
    auto draw = [&] {
        begin_text();
        out.push_back(terminated ? draw_text(t, 0xFFFFFF, x, y, wrap, limit)
                                 : draw_text_n(t, text.size(), 0xFFFFFF, x, y, wrap, limit));
        end_text();
        EXPECT_FALSE(glIsEnabled(GL_BLEND) || glIsEnabled(GL_TEXTURE_2D)) << "the state put back";
    };
    for (auto [left, top] : quad_corners(draw))
        out.insert(out.end(), {std::round(left), std::round(top)});
    return out;
}

// A glyph advances by its width and a tenth of the line height; escapes name
// slots, controls move the pen, raise and size the text; blanks and words too
// long for the line wrap, down to the bottom limit; shrunk digits stay bright.
TEST_F(GameFont, GlyphsArePlacedByThePen) {
    using S = std::string;
    // clang-format off
    const struct { std::string text; float y, wrap, limit; std::vector<float> expected; } cases[] = {
        {"A\nB", 0, 0, 0, {50, 51, 0, 0, 0, 51}}, {"\x80\xFF", 0, 0, 0, {10, 0, 0, 0, 5, 0}} /* empty slots */,
        {S("\x02\x00\x41\x02\x01\x00", 6), 0, 0, 0, {30, 0, 0, 0, 25, 0}}, {S("\x02\x02\x00" "A", 4), 0, 0, 0, {25, 0, 0, 0}},
        {S("x\x05\x01\x64\x00\x00\x00" "A", 8), 0, 0, 0, {125, 0, 0, 0, 100, 0}}, {"", 7, 0, 0, {0, 7}},
        {S("A\x05\x01\x64\x00\x00", 6), 0, 0, 0, {25, 0, 0, 0}}, {S("A\x02\x00", 3), 0, 0, 0, {25, 0, 0, 0}} /* cut short */,
        {S("A\x05\x02\x00\x01\x80\x00" "A\x05\x02\x00\x01\x00\x00" "A", 15), 100, 0, 0, {75, 100, 0, 100, 25, 75, 50, 100}},
        {"aaa aaa aaa", 0, 200, 0, {255, 51, 0, 0, 25, 0, 50, 0, 90, 0, 115, 0, 140, 0, 0, 51, 25, 51, 50, 51}},
        {"aaaaaaaaaa", 0, 200, 0, {250, 51, 0, 0, 25, 0, 50, 0, 75, 0, 100, 0, 125, 0, 150, 0, 175, 0, 200, 0, 0, 51}},
        {"aaa aaa aaa aaa aaa", 0, 200, 60, {435, 102, 0, 0, 25, 0, 50, 0, 90, 0, 115, 0, 140, 0, 0, 51, 25, 51, 50, 51, 90, 51, 115, 51, 140, 51}},
        {S("A\x05\x02\x00\x02\x00\x00" "AA", 9), 0, 0, 0, {115, 0, 0, 0, 25, 0, 75, 0}}}; // the size stays
    // clang-format on
    for (const char *cut : {"A\x05", "A\x02"}) // the terminated forms stop at the 0
        EXPECT_EQ(drawn(cut, 0, 0, 0, 0, true), std::vector<float>({25, 0, 0, 0})) << cut;
    for (const auto &c : cases)
        EXPECT_EQ(drawn(c.text, 0, c.y, c.wrap, c.limit), c.expected) << c.text;
    EXPECT_STREQ(current_font->name, "normal:width=2:height=2");
    std::vector<uint8_t> t(2048 / 8 * 128 / 8 * 4); // the 2048 x 128 texture in eighths
    glBindTexture(GL_TEXTURE_2D, current_font->texture);
    glGetTexImage(GL_TEXTURE_2D, 3, GL_RGBA, GL_UNSIGNED_BYTE, t.data());
    uint8_t brightest = 0;
    for (size_t i = 0; i < t.size(); i += 4) brightest = std::max(brightest, t[i]);
    EXPECT_GE(brightest, 240) << "shrunk to an eighth, the digits stay bright";
    EXPECT_EQ(text_line_height, 100) << "the doubled font's line";
    EXPECT_EQ(text_width(nullptr), text_width("NULL?")) << "no text measures as a placeholder";
    auto draw_null = [] { begin_text(), draw_text(nullptr, 0xFFFFFF, 0, 0, 0, 0), end_text(); };
    EXPECT_EQ(quad_corners(draw_null).size(), 5u) << "no text draws as a placeholder";
    load_game_font("other"); // the same size of another font is made from that font
    select_font_style({fonts[font_list.count - 1], 2, 2, 0, 0, 0});
    EXPECT_STREQ(current_font->name, "other:width=2:height=2");
}
