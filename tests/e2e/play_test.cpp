// Playing the real game until it ends, as a player would.
#include <X11/keysym.h>
#include <algorithm>
#include <sys/wait.h>
#include <unistd.h>

#include "hud_look.h"

namespace {

class Play : public GameTest {
  protected:
    // Holds a fall key until the game ends and writes its score line.
    void fall_until_game_over(unsigned long key) {
        send_key(display, key, true);
        double deadline = seconds_now() + 120;
        while (access(scores().c_str(), F_OK) != 0 && seconds_now() < deadline && is_running(&game))
            usleep(100000);
        send_key(display, key, false);
        ASSERT_EQ(access(scores().c_str(), F_OK), 0) << "the game never ended";
    }
    std::string scores() const { return dir + "/scores.txt"; }
};

TEST_F(Play, HoldingSEndsTheGameWhichThenOnlyZoomsUntilQ) {
    start_and_wait_for_window();
    fall_until_game_over(XK_s);
    usleep(500000);
    ASSERT_TRUE(is_running(&game)) << "the final board stays up";

    Screenshot over = grab_screen(display);
    const int W = over.width, H = over.height;
    int x = (W - hud_text_width("GAME OVER")) / 2, y = (H - 50) / 2;
    std::string why;
    EXPECT_TRUE(blended_as_text(sample_first_stroke(over, x, y), 0x808080, 24, &why))
        << "GAME OVER in grey, centred: " << why;
    EXPECT_TRUE(blended_as_text(sample_first_stroke(over, 0, H - 50), 0xFFFFFF, 0, &why))
        << "the exit prompt in white on the bottom edge: " << why;

    // The prompt's cursor blinks; nothing else moves.
    const int prompt_right = hud_text_width("Press Q or Escape to exit_"), prompt_top = H - 50;
    auto outside_prompt = [&](const Screenshot &a, const Screenshot &b) {
        return count_differences(a, b, 0, 0, W, prompt_top) +
               count_differences(a, b, prompt_right, prompt_top, W, H);
    };
    Screenshot first = grab_screen(display);
    int blinks = 0;
    for (int i = 0; i < 6; i++) {
        usleep(250000);
        Screenshot later = grab_screen(display);
        blinks += count_differences(first, later, 0, prompt_top, prompt_right, H) > 0;
        EXPECT_EQ(outside_prompt(first, later), 0) << "only the prompt changes";
    }
    EXPECT_GT(blinks, 0) << "the cursor blinks";

    // The step, turn, fall and pause keys do nothing any more.
    for (unsigned long key : {XK_Left, XK_Right, XK_a, XK_d, XK_space, XK_w, XK_Up, XK_Control_L,
                              XK_Control_R, XK_p, XK_Down})
        tap_key(display, key);
    tap_key(display, XK_s, 500);
    usleep(300000);
    EXPECT_EQ(outside_prompt(first, grab_screen(display)), 0);

    tap_key(display, XK_KP_Add);
    usleep(400000);
    EXPECT_GT(outside_prompt(first, grab_screen(display)), 10000) << "keypad plus still zooms";

    tap_key(display, XK_q);
    ASSERT_TRUE(wait_for_exit(&game, 10));
    ASSERT_TRUE(WIFEXITED(game.status));
    EXPECT_EQ(WEXITSTATUS(game.status), 0);

    std::string log = read_text(scores());
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
    EXPECT_TRUE(testing::internal::RE::FullMatch(
        log, "[0-9]{4}-[A-Z][a-z][a-z]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]\t[0-9]+\t[0-9]+ "
             "rows\n"))
        << log;
}

TEST_F(Play, SigtermAfterTheEndOfTheGameKeepsTheScoreLine) {
    start_and_wait_for_window();
    fall_until_game_over(XK_Down);
    kill(game.pid, SIGTERM);
    ASSERT_TRUE(wait_for_exit(&game, 10));
    ASSERT_TRUE(WIFEXITED(game.status));
    EXPECT_EQ(WEXITSTATUS(game.status), 0);
    std::string log = read_text(scores());
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
}

} // namespace
