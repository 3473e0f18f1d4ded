// The overlay on the real screen: rows, score, "Paused", and zoom.
#include <X11/keysym.h>
#include <sys/wait.h>
#include <unistd.h>

#include "hud_look.h"

namespace {

using Overlay = GameTest;

TEST_F(Overlay, FirstFramesShowRowsAndScore) {
    start_and_wait_for_window();
    usleep(300000);
    Screenshot shot = grab_screen(display);
    std::string why;
    EXPECT_TRUE(blended_as_text(sample_first_stroke(shot, 0, 0), 0x704000, 24, &why))
        << "Rows: 0 in brown at the top left: " << why;
    int score_x = shot.width - hud_text_width("0");
    EXPECT_TRUE(blended_as_text(sample_first_stroke(shot, score_x, 0), 0xFFFFFF, 0, &why))
        << "0 in white at the top right: " << why;
    EXPECT_NE(memcmp(shot.at(4, 15), shot.at(1, 15), 3), 0) << "the text is really there";
    tap_key(display, XK_Escape);
    ASSERT_TRUE(wait_for_exit(&game, 10));
}

TEST_F(Overlay, PauseShowsPausedFreezesAndStillZooms) {
    start_and_wait_for_window();
    tap_key(display, XK_p);
    usleep(400000);
    Screenshot paused = grab_screen(display);
    int x = (paused.width - hud_text_width("Paused")) / 2, y = (paused.height - 50) / 2;
    std::string why;
    EXPECT_TRUE(blended_as_text(sample_first_stroke(paused, x, y), 0x808080, 24, &why))
        << "Paused in grey, centred: " << why;
    usleep(800000);
    EXPECT_EQ(count_differences(paused, grab_screen(display)), 0) << "frozen while paused";

    tap_key(display, XK_KP_Add);
    usleep(400000);
    Screenshot wider = grab_screen(display);
    EXPECT_GT(count_differences(paused, wider), 10000) << "keypad plus widens the view";
    tap_key(display, XK_KP_Subtract);
    usleep(400000);
    EXPECT_EQ(count_differences(paused, grab_screen(display)), 0) << "and minus takes it back";

    tap_key(display, XK_p);
    usleep(300000);
    Screenshot resumed = grab_screen(display);
    usleep(800000);
    EXPECT_GT(count_differences(resumed, grab_screen(display)), 1000) << "playing again";
    tap_key(display, XK_q);
    ASSERT_TRUE(wait_for_exit(&game, 10));
    EXPECT_TRUE(WIFEXITED(game.status) && WEXITSTATUS(game.status) == 0);
}

} // namespace
