// The view update against a real window: the focus, the pointer and resizes.
#include "view.h"

#include "../support/gl/gl_helpers.h"
#include "test_game.h"

using ViewWindow = WindowTest;

// Pumps until the window has the input focus, or has lost it.
static bool focus_is(SDL_Window *window, bool wanted) {
    for (int i = 0; i < 200; i++, SDL_Delay(10))
        if (pump_events(), !!(SDL_GetWindowFlags(window) & SDL_WINDOW_INPUT_FOCUS) == wanted)
            return true;
    return false;
}

// The mouse turns the view while playing and the pointer goes back to the
// centre; not while paused; back from another window or after a resize, the
// first frame only re-centres it.
TEST_F(ViewWindow, TheMouseTurnsTheViewFromTheCentre) {
    start_test_game(&game, 1, SHAPE_TEE);
    ASSERT_TRUE(focus_is(main_window, true));
    update_view();
    enum Before { NOTHING, REFOCUS, RESIZE };
    const struct {
        const char *name;
        Before before;
        PlayState state;
        int dx, dy;
        double yaw, pitch;
    } cases[] = {
        {"a turn", NOTHING, PLAYING, 100, 0, 1.5, 0},
        {"a still mouse", NOTHING, PLAYING, 0, 0, 1.5, 0},
        {"paused", NOTHING, PAUSED, 100, 50, 1.5, 0},
        {"after the game", NOTHING, GAME_OVER, -100, 20, 1.0, 0.1},
        {"back from another window", REFOCUS, PLAYING, 380, 290, 1.0, 0.1},
        {"after a resize", RESIZE, PLAYING, 200, 100, 1.0, 0.1},
        {"the frame after", NOTHING, PLAYING, 0, -20, 1.0, 0.0},
    };
    game.view_yaw = 1.0;
    SDL_Window *other = SDL_CreateWindow("other", 0, 0, 64, 64, SDL_WINDOW_SHOWN);
    for (const auto &c : cases) {
        for (bool back : {false, true}) {
            if (c.before != REFOCUS) break;
            SDL_SetWindowInputFocus(back ? main_window : other);
            ASSERT_TRUE(focus_is(main_window, back)) << c.name;
            if (!back) update_view();
        }
        if (c.before == RESIZE) set_view_size(640, 480);
        const int cx = screen_width / 2, cy = screen_height / 2;
        game.play_state = c.state;
        mouse_x = cx + c.dx;
        mouse_y = cy + c.dy;
        update_view();
        EXPECT_DOUBLE_EQ(game.view_yaw, c.yaw) << c.name;
        EXPECT_DOUBLE_EQ(game.view_pitch, c.pitch) << c.name;
        EXPECT_EQ(std::pair(mouse_x, mouse_y), std::pair(cx, cy))
            << c.name << ": back to the centre";
        EXPECT_FALSE(SDL_GetRelativeMouseMode()) << c.name << ": X11 warps the pointer instead";
    }
    SDL_DestroyWindow(other);
    free_test_well(&game);
}
