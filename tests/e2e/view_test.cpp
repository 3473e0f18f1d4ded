// The picture the real game shows: pausing freezes it, the mouse turns it.
#include "game_process.h"

#include <X11/keysym.h>
#include <algorithm>
#include <cmath>
#include <unistd.h>

namespace {

using Picture = GameTest;

// Horizontal centre of the bright, coloured pixels: the falling piece.
double piece_centre_x(const Screenshot &shot) {
    double sum = 0;
    int count = 0;
    for (int y = 0; y < shot.height; y += 2)
        for (int x = 0; x < shot.width; x += 2) {
            const uint8_t *p = shot.at(x, y);
            bool sky = p[0] == 102 && p[1] == 153 && p[2] == 255;
            if (!sky && std::max({p[0], p[1], p[2]}) > 170) {
                sum += x;
                count++;
            }
        }
    return count > 50 ? sum / count : -1;
}

TEST_F(Picture, PauseFreezesItAndTheMouseTurnsItOnlyWhilePlaying) {
    start_and_wait_for_window();
    int cx = DisplayWidth(display, 0) / 2, cy = DisplayHeight(display, 0) / 2;

    Screenshot a = grab_screen(display);
    usleep(1000000);
    Screenshot b = grab_screen(display);
    EXPECT_GT(count_differences(a, b), 1000) << "the piece falls and the camera follows";
    double before_turn = piece_centre_x(b);
    ASSERT_GT(before_turn, 0) << "the falling piece is in view";

    tap_key(display, XK_p);
    usleep(300000);
    Screenshot c = grab_screen(display);
    move_pointer(display, cx + 150, cy); // ignored while paused
    usleep(1000000);
    Screenshot d = grab_screen(display);
    EXPECT_EQ(count_differences(c, d), 0) << "the paused picture stands still";

    tap_key(display, XK_p);
    usleep(300000);
    Screenshot e = grab_screen(display);
    EXPECT_NEAR(piece_centre_x(e), before_turn, 40) << "the motion made while paused is lost";

    move_pointer(display, cx + 150, cy); // 0.75 radian to the right
    usleep(400000);
    Screenshot f = grab_screen(display);
    double after_turn = piece_centre_x(f);
    EXPECT_TRUE(after_turn < 0 || std::fabs(after_turn - before_turn) > 200)
        << "the view turned: piece at " << before_turn << " then " << after_turn;
    tap_key(display, XK_Escape);
    ASSERT_TRUE(wait_for_exit(&game, 10));
}

} // namespace
