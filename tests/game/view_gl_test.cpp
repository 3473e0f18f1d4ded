// The view update against a real window: the mouse, the keypad zoom, the
// focus and resizes; and the camera following the piece.
#include "view.h"

#include <cmath>

#include "../support/gl/gl_helpers.h"
#include "scene.h"
#include "test_game.h"

using ViewWindow = WindowTest;

// Pumps until the window has the input focus, or has lost it.
static bool focus_is(SDL_Window *window, bool wanted) {
    for (int i = 0; i < 200; i++, SDL_Delay(10))
        if (pump_events(), !!(SDL_GetWindowFlags(window) & SDL_WINDOW_INPUT_FOCUS) == wanted)
            return true;
    return false;
}

// The pointer's travel from the centre turns the view half a radian per
// hundred pixels, round and round, and tilts it within +-1.3, while playing;
// the pointer goes back to the centre.  Back from another window or after a
// resize, the first frame only re-centres it.  Keypad plus and minus (1
// pressed, 2 held) zoom by ten degrees between 30 and 150.
TEST_F(ViewWindow, TheMouseTurnsTheViewFromTheCentreAndTheKeypadZooms) {
    start_test_game(&game, 1, SHAPE_TEE);
    ASSERT_TRUE(focus_is(main_window, true));
    update_view();
    enum Before { NOTHING, REFOCUS, RESIZE };
    // clang-format off
    const struct { const char *name; Before before; PlayState state; double yaw, pitch; int dx, dy, fov, plus, minus;
                   double new_yaw, new_pitch; int new_fov; } cases[] = {
        {"a turn", NOTHING, PLAYING, 1.0, 0, 100, 0, 90, 0, 0, 1.5, 0, 90},
        {"a still mouse", NOTHING, PLAYING, 1.5, 0, 0, 0, 90, 0, 0, 1.5, 0, 90},
        {"past the top", NOTHING, PLAYING, 1.0, 0, 0, 10000, 90, 0, 0, 1.0, 1.3, 90},
        {"up from the bottom", NOTHING, PLAYING, 0, -1.3, 0, 20, 90, 0, 0, 0, -1.2, 90},
        {"past the bottom", NOTHING, PLAYING, 0, 0.5, 0, -1000000, 90, 0, 0, 0, -1.3, 90},
        {"round past 2 pi", NOTHING, PLAYING, 2 * M_PI - 0.1, 0, 40, 0, 90, 0, 0, 0.1, 0, 90},
        {"round past -2 pi", NOTHING, PLAYING, -2 * M_PI + 0.1, 0, -40, 0, 90, 0, 0, -0.1, 0, 90},
        {"paused", NOTHING, PAUSED, 1.5, 0, 100, 50, 90, 0, 0, 1.5, 0, 90},
        {"after the game", NOTHING, GAME_OVER, 1.5, 0, -100, 20, 90, 0, 0, 1.0, 0.1, 90},
        {"back from another window", REFOCUS, PLAYING, 1.0, 0.1, 380, 290, 90, 0, 0, 1.0, 0.1, 90},
        {"after a resize", RESIZE, PLAYING, 1.0, 0.1, 200, 100, 90, 0, 0, 1.0, 0.1, 90},
        {"the frame after", NOTHING, PLAYING, 1.0, 0.1, 0, -20, 90, 0, 0, 1.0, 0.0, 90},
        {"plus", NOTHING, PLAYING, 0, 0, 0, 0, 90, 1, 0, 0, 0, 100},
        {"plus at the widest", NOTHING, PLAYING, 0, 0, 0, 0, 150, 1, 0, 0, 0, 150},
        {"both at the widest", NOTHING, PLAYING, 0, 0, 0, 0, 150, 1, 1, 0, 0, 140},
        {"minus at the narrowest", NOTHING, PLAYING, 0, 0, 0, 0, 30, 0, 1, 0, 0, 30},
        {"both at the narrowest", NOTHING, PLAYING, 0, 0, 0, 0, 30, 1, 1, 0, 0, 30},
        {"plus held", NOTHING, PLAYING, 0, 0, 0, 0, 90, 2, 0, 0, 0, 90},
        {"minus", NOTHING, PLAYING, 0, 0, 0, 0, 90, 0, 1, 0, 0, 80},
    };
    // clang-format on
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
        game.play_state = c.state, game.view_yaw = c.yaw, game.view_pitch = c.pitch;
        game.fov_degrees = c.fov;
        key_down[KEY_KP_PLUS] = c.plus > 0, key_was_down[KEY_KP_PLUS] = c.plus == 2;
        key_down[KEY_KP_MINUS] = c.minus > 0, key_was_down[KEY_KP_MINUS] = 0;
        mouse_x = cx + c.dx;
        mouse_y = cy + c.dy;
        update_view();
        EXPECT_NEAR(game.view_yaw, c.new_yaw, 1e-9) << c.name;
        EXPECT_NEAR(game.view_pitch, c.new_pitch, 1e-9) << c.name;
        EXPECT_EQ(std::pair(mouse_x, mouse_y), std::pair(cx, cy))
            << c.name << ": back to the centre";
        EXPECT_FALSE(SDL_GetRelativeMouseMode()) << c.name << ": X11 warps the pointer instead";
        EXPECT_EQ(game.fov_degrees, c.new_fov) << c.name;
    }
    SDL_DestroyWindow(other);
    // The camera starts at 10 and eases to the piece alike at any frame rate.
    for (int frames_per_second : {7, 60, 1000}) {
        free_test_well(&game), start_test_game(&game, 1, SHAPE_TEE);
        game.piece_height = 20.0;
        for (int i = 0; i < 2 * frames_per_second; i++) follow_piece(1.0 / frames_per_second);
        follow_piece(0.0);
        EXPECT_NEAR(game.camera_height, 20.0 - 10.0 * std::exp(-3.0 * 2), 1e-9)
            << frames_per_second;
    }
    free_test_well(&game);
}
