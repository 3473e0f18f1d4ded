// Starting and quitting the real game.
#include "game_process.h"

#include <X11/keysym.h>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Startup = GameTest;

void expect_clean_exit(GameRun *game) {
    ASSERT_TRUE(wait_for_exit(game, 10)) << "the game did not end";
    ASSERT_TRUE(WIFEXITED(game->status)) << "status " << game->status;
    EXPECT_EQ(WEXITSTATUS(game->status), 0);
    EXPECT_NE(access((game->dir + "/scores.txt").c_str(), F_OK), 0) << "no game ended";
}

TEST_F(Startup, OpensAFullscreenWindowAndQuitsOnQ) {
    start_and_wait_for_window();
    XWindowAttributes attributes;
    ASSERT_TRUE(XGetWindowAttributes(display, window, &attributes));
    Screen *screen = DefaultScreenOfDisplay(display);
    EXPECT_EQ(attributes.width, WidthOfScreen(screen));
    EXPECT_EQ(attributes.height, HeightOfScreen(screen));
    EXPECT_EQ(attributes.map_state, IsViewable);
    EXPECT_TRUE(is_running(&game));
    tap_key(display, XK_q);
    expect_clean_exit(&game);
}

TEST_F(Startup, QuitsOnEscape) {
    start_and_wait_for_window();
    tap_key(display, XK_Escape);
    expect_clean_exit(&game);
}

TEST_F(Startup, EndsCleanlyOnSigterm) {
    start_and_wait_for_window();
    kill(game.pid, SIGTERM);
    expect_clean_exit(&game);
}

TEST_F(Startup, EndsCleanlyOnSigtermWhilePaused) {
    start_and_wait_for_window();
    tap_key(display, XK_p);
    usleep(300000);
    kill(game.pid, SIGTERM);
    expect_clean_exit(&game);
}

TEST_F(Startup, SigtermWhileStartingIsAlsoClean) {
    // The window appears before the font and textures are built, so a
    // signal sent the moment it shows is met by the pump before the first
    // frame (or by the first frame's pump on a fast machine).
    game = start_game(dir);
    window = wait_for_window(display, "Vorlanx [Quillmark]", 20);
    ASSERT_NE(window, 0u);
    kill(game.pid, SIGTERM);
    expect_clean_exit(&game);
}

TEST_F(Startup, WithoutADisplayItSaysSoAndFails) {
    game = start_game(dir, false);
    ASSERT_TRUE(wait_for_exit(&game, 10));
    ASSERT_TRUE(WIFEXITED(game.status));
    EXPECT_EQ(WEXITSTATUS(game.status), 1);
    std::string said = read_text(dir + "/err.txt");
    EXPECT_NE(said.find("spinwell: cannot open the game window"), std::string::npos) << said;
    EXPECT_NE(said.find("no display"), std::string::npos) << said;
}

} // namespace
