// The camera: mouse look and keypad zoom, the view update against a real
// window, and the camera following the piece.
#include "view.h"

#include <cmath>

#include "../support/gl/gl_helpers.h"
#include "scene.h"
#include "test_game.h"

// The pointer's travel turns the view half a radian per hundred pixels,
// round and round, and tilts it within +-1.3; keypad plus and minus (1
// pressed, 2 held) zoom by ten degrees between 30 and 150.
TEST(View, MouseTravelTurnsAndTiltsAndTheKeypadZooms) {
    const struct {
        const char *name;
        double yaw, pitch;
        int dx, dy;
        double new_yaw, new_pitch;
    } looks[] = {
        {"a turn and a tilt", 1.0, 0, 100, -20, 1.5, -0.1},
        {"past the top", 1.0, 0, 0, 10000, 1.0, 1.3},
        {"past the bottom", 0, 0.5, 0, -1000000, 0, -1.3},
        {"round past 2 pi", 2 * M_PI - 0.1, 0, 40, 0, 0.1, 0},
    };
    for (const auto &l : looks) {
        GameState state = {};
        state.view_yaw = l.yaw, state.view_pitch = l.pitch;
        apply_mouse_look(&state, l.dx, l.dy);
        EXPECT_NEAR(state.view_yaw, l.new_yaw, 1e-9) << l.name;
        EXPECT_NEAR(state.view_pitch, l.new_pitch, 1e-9) << l.name;
    }
    const int zooms[][4] = {{90, 1, 0, 100}, {150, 1, 0, 150}, {150, 1, 1, 140}, {30, 1, 1, 30},
                            {30, 0, 1, 30},  {90, 2, 0, 90},   {90, 0, 1, 80}};
    for (auto [fov, plus, minus, new_fov] : zooms) {
        uint8_t keys[KEY_SLOTS] = {}, before[KEY_SLOTS] = {};
        keys[KEY_KP_PLUS] = plus > 0, before[KEY_KP_PLUS] = plus == 2, keys[KEY_KP_MINUS] = minus;
        GameState state = {};
        state.fov_degrees = fov;
        apply_zoom(&state, keys, before);
        EXPECT_EQ(state.fov_degrees, new_fov)
            << fov << " degrees, plus " << plus << ", minus " << minus;
    }
}

// Pumps until the window has the input focus, or has lost it.
static bool focus_is(SDL_Window *window, bool wanted) {
    for (int i = 0; i < 200; i++, SDL_Delay(10))
        if (pump_events(), !!(SDL_GetWindowFlags(window) & SDL_WINDOW_INPUT_FOCUS) == wanted)
            return true;
    return false;
}

using ViewWindow = WindowTest;

// The pointer's travel from the centre turns the view while playing or after
// the game, and goes back to the centre; back from another window or after a
// resize, the first frame only re-centres it.
TEST_F(ViewWindow, ThePointerTurnsTheViewFromTheCentre) {
    start_test_game(&game, 1, SHAPE_TEE);
    ASSERT_TRUE(focus_is(main_window, true));
    update_view();
    enum Before { NOTHING, REFOCUS, RESIZE };
    const struct {
        const char *name;
        Before before;
        PlayState state;
        int dx, dy;
        double new_yaw, new_pitch;
    } cases[] = {
        {"paused", NOTHING, PAUSED, 100, 50, 1.0, 0.1},
        {"after the game", NOTHING, GAME_OVER, -100, 20, 0.5, 0.2},
        {"back from another window", REFOCUS, PLAYING, 380, 290, 1.0, 0.1},
        {"after a resize", RESIZE, PLAYING, 200, 100, 1.0, 0.1},
        {"the frame after", NOTHING, PLAYING, 0, -20, 1.0, 0.0},
    };
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
        game.play_state = c.state, game.view_yaw = 1.0, game.view_pitch = 0.1;
        mouse_x = cx + c.dx, mouse_y = cy + c.dy;
        update_view();
        EXPECT_NEAR(game.view_yaw, c.new_yaw, 1e-9) << c.name;
        EXPECT_NEAR(game.view_pitch, c.new_pitch, 1e-9) << c.name;
        EXPECT_EQ(std::pair(mouse_x, mouse_y), std::pair(cx, cy)) << c.name << ": re-centred";
        EXPECT_FALSE(SDL_GetRelativeMouseMode()) << c.name << ": X11 warps the pointer instead";
    }
    SDL_DestroyWindow(other);
    // The camera starts at 10 and eases to the piece alike at any frame rate.
    for (int frames_per_second : {7, 60, 1000}) {
        game.camera_height = 10.0, game.piece_height = 20.0;
        for (int i = 0; i < 2 * frames_per_second; i++) follow_piece(1.0 / frames_per_second);
        follow_piece(0.0);
        EXPECT_NEAR(game.camera_height, 20.0 - 10.0 * std::exp(-3.0 * 2), 1e-9)
            << frames_per_second << " frames a second";
    }
    free_test_well(&game);
}
