// Playing the real game with the keyboard until it ends.
#include "game_process.h"

#include <X11/keysym.h>
#include <algorithm>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Play = GameTest;

TEST_F(Play, HoldingSEndsTheGameWithOneScoreLine) {
    start_and_wait_for_window();
    std::string scores = dir + "/scores.txt";
    send_key(display, XK_s, true);
    double deadline = seconds_now() + 120;
    while (access(scores.c_str(), F_OK) != 0 && seconds_now() < deadline && is_running(&game))
        usleep(100000);
    send_key(display, XK_s, false);
    ASSERT_EQ(access(scores.c_str(), F_OK), 0) << "the game never ended";

    // The game goes on showing its final board until the player quits.
    usleep(1000000);
    EXPECT_TRUE(is_running(&game));
    tap_key(display, XK_p);
    tap_key(display, XK_s, 500);
    tap_key(display, XK_q);
    ASSERT_TRUE(wait_for_exit(&game, 10));
    ASSERT_TRUE(WIFEXITED(game.status));
    EXPECT_EQ(WEXITSTATUS(game.status), 0);

    std::string log = read_text(scores);
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
    EXPECT_TRUE(testing::internal::RE::FullMatch(
        log, "[0-9]{4}-[A-Z][a-z][a-z]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]\t[0-9]+\t[0-9]+ "
             "rows\n"))
        << log;
}

} // namespace
