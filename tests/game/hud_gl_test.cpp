#include "hud.h"

#include <map>
#include <vector>

#include "../support/gl/feedback.h"
#include "../support/gl/gl_helpers.h"
#include "bitmapfonts.h"
#include "font_helpers.h"
#include "builtin_font.h"
#include "game_state.h"
#include "text.h"

namespace {

TEST(ExitPrompt, UnderscoreBlinksInTheSecondHalfOfEachSecond) {
    char text[64];
    format_exit_prompt(1000.25, text, sizeof text);
    EXPECT_STREQ(text, "Press Q or Escape to exit");
    format_exit_prompt(1000.75, text, sizeof text);
    EXPECT_STREQ(text, "Press Q or Escape to exit_");
    EXPECT_EQ(strlen(text), 26u);
    format_exit_prompt(1000.5, text, sizeof text);
    EXPECT_STREQ(text, "Press Q or Escape to exit_");
}

// A line of text on screen: its first quad's corner, its colour and width.
struct Line {
    float x, y, right;
    uint32_t colour;
    int glyphs;
};

class Hud : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        forget_fonts();
        load_game_font();
        memset(&game, 0, sizeof game);
    }
    void TearDown() override {
        forget_fonts();
        WindowTest::TearDown();
    }
    // The overlay's quads grouped into lines by colour and height.
    std::vector<Line> lines() {
        auto polygons = capture_polygons(draw_hud, 0);
        for (auto &p : polygons)
            for (auto &v : p) v.y = (float)screen_height - v.y;
        std::vector<Line> out;
        for (auto &q : join_quads(polygons)) {
            uint32_t colour = (uint32_t)std::lround(q[0].r * 255) << 16 |
                              (uint32_t)std::lround(q[0].g * 255) << 8 |
                              (uint32_t)std::lround(q[0].b * 255);
            if (!out.empty() && out.back().colour == colour && out.back().y == q[0].y) {
                out.back().right = q[1].x;
                out.back().glyphs++;
            } else {
                out.push_back({q[0].x, q[0].y, q[1].x, colour, 1});
            }
        }
        return out;
    }
};

TEST_F(Hud, PlayingShowsScoreTopRightAndRowsTopLeft) {
    game.score = 131;
    game.rows_cleared = 7;
    auto shown = lines();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].colour, 0xFFFFFFu);
    EXPECT_EQ(shown[0].glyphs, 3);
    EXPECT_NEAR(shown[0].x, screen_width - text_width("131"), 1e-3);
    EXPECT_NEAR(shown[0].right, screen_width - 5, 1e-3) << "one letter spacing short of the edge";
    EXPECT_EQ(shown[0].y, 0);
    EXPECT_EQ(shown[1].colour, 0x704000u);
    EXPECT_EQ(shown[1].glyphs, 6); // "Rows: 7": the blank draws nothing
    EXPECT_EQ(shown[1].x, 0);
    EXPECT_EQ(shown[1].y, 0);
}

TEST_F(Hud, PausedAndGameOverAreCentredInGrey) {
    game.play_state = PAUSED;
    auto shown = lines();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[2].colour, 0x808080u);
    EXPECT_EQ(shown[2].glyphs, 6);
    EXPECT_NEAR(shown[2].x, (screen_width - text_width("Paused")) * 0.5f, 1e-3);
    EXPECT_EQ(shown[2].y, (screen_height - 50) / 2);

    game.play_state = GAME_OVER;
    shown = lines();
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[2].colour, 0x808080u);
    EXPECT_NEAR(shown[2].x, (screen_width - text_width("GAME OVER")) * 0.5f, 1e-3);
    EXPECT_EQ(shown[3].colour, 0xFFFFFFu) << "the exit prompt";
    EXPECT_EQ(shown[3].x, 0);
    EXPECT_EQ(shown[3].y, screen_height - 50);
    EXPECT_GE(shown[3].glyphs, 20); // 21 while the cursor shows
    EXPECT_LE(shown[3].glyphs, 21);
    EXPECT_EQ(shown[1].y, 0) << "rows stay at the top left";
}

TEST_F(Hud, FollowsTheWindowSize) {
    set_view_size(640, 480);
    game.play_state = GAME_OVER;
    auto shown = lines();
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_NEAR(shown[0].x, 640 - text_width("0"), 1e-3);
    EXPECT_EQ(shown[2].y, (480 - 50) / 2);
    EXPECT_EQ(shown[3].y, 480 - 50);
}

} // namespace
