#include "view.h"

#include <cmath>

#include "../support/gl/gl_helpers.h"
#include "pads.h"

using FocusedView = WindowTest;

// The pointer (not first, resized or paused) and the stick past its dead
// zone turn the view.
TEST_F(FocusedView, ThePointerTurnsTheViewAndGoesBackToTheCentre) {
    game = {};
    game.fov_degrees = 90;
    set_view_size(640, 480);
    update_view(0);
    SDL_SetWindowInputFocus(main_window);
    Uint32 give_up = SDL_GetTicks() + 10000;
    while (!(SDL_GetWindowFlags(main_window) & SDL_WINDOW_INPUT_FOCUS) &&
           SDL_GetTicks() < give_up) {
        SDL_Delay(10);
        pump_events();
    }
    ASSERT_TRUE(SDL_GetWindowFlags(main_window) & SDL_WINDOW_INPUT_FOCUS) << "never focused";
    const struct {
        int width, height, dx, dy;
        PlayState state;
        double stick_x, yaw, pitch;
    } frames[] = {
        {640, 480, 100, 10, PLAYING, 0, 0, 0}, // first with the focus
        {640, 480, 100, 10, PLAYING, 0, 0.5, 0.05},
        {640, 480, 0, 0, PLAYING, 0.575, 1, 0.05}, // half way past the dead zone
        {640, 480, 100, 10, PAUSED, 1, 1, 0.05},
        {640, 480, 1200, 1000, PLAYING, 0, 7 - 2 * M_PI, 1.3},
        {800, 480, 100, 10, PLAYING, 0.15, 7 - 2 * M_PI, 1.3},
        {800, 400, 100, 10, PLAYING, 0, 7 - 2 * M_PI, 1.3},
        {800, 400, 100, 0, PLAYING, 0, 7.5 - 2 * M_PI, 1.3},
    };
    for (const auto &f : frames) {
        set_view_size(f.width, f.height);
        mouse_x += f.dx;
        mouse_y += f.dy;
        SDL_WarpMouseInWindow(main_window, mouse_x, mouse_y);
        game.play_state = f.state;
        pad_look_x = f.stick_x;
        update_view(0.5);
        EXPECT_NEAR(game.view_yaw, f.yaw, 1e-9) << "frame " << &f - frames;
        EXPECT_NEAR(game.view_pitch, f.pitch, 1e-9) << "frame " << &f - frames;
    }
    int x = 0, y = 0, left = 0, top = 0;
    SDL_GetGlobalMouseState(&x, &y);
    SDL_GetWindowPosition(main_window, &left, &top);
    EXPECT_EQ(std::pair(x - left, y - top), std::pair(400, 200)) << "the pointer re-centred";
}
