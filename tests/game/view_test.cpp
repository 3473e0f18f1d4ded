#include "view.h"

#include <cmath>

#include "scene.h"
#include "test_game.h"

// The pointer turns the view 0.005 rad a pixel, round and round, and tilts
// it within +-1.3; keypad plus and minus (1 pressed, 2 held) zoom by ten
// degrees between 30 and 150; the camera eases to the piece alike at any
// frame rate.
TEST(View, TheMouseTurnsTheKeypadZoomsAndTheCameraFollows) {
    const double looks[][6] = {{1.0, 0, 100, -20, 1.5, -0.1},
                               {1.0, 0, 0, 10000, 1.0, 1.3},
                               {2 * M_PI - 0.1, 0, 40, -1000000, 0.1, -1.3}};
    for (auto [yaw, pitch, dx, dy, new_yaw, new_pitch] : looks) {
        GameState state = {};
        state.view_yaw = yaw, state.view_pitch = pitch;
        apply_mouse_look(&state, (int)dx, (int)dy);
        EXPECT_NEAR(state.view_yaw, new_yaw, 1e-9) << "moved " << dx << ", " << dy;
        EXPECT_NEAR(state.view_pitch, new_pitch, 1e-9) << "moved " << dx << ", " << dy;
    }
    // clang-format off
    const int zooms[][4] = {
        {90, 1, 0, 100},
        {150, 1, 1, 140},
        {30, 0, 1, 30},
        {90, 2, 0, 90},
    };
    // clang-format on
    for (auto [fov, plus, minus, new_fov] : zooms) {
        uint8_t keys[KEY_SLOTS] = {}, before[KEY_SLOTS] = {};
        keys[KEY_KP_PLUS] = plus > 0, before[KEY_KP_PLUS] = plus == 2, keys[KEY_KP_MINUS] = minus;
        GameState state = {};
        state.fov_degrees = fov;
        apply_zoom(&state, keys, before);
        EXPECT_EQ(state.fov_degrees, new_fov)
            << fov << " degrees, plus " << plus << ", minus " << minus;
    }
    for (int frames_per_second : {7, 1000}) {
        game.camera_height = 10.0, game.piece_height = 20.0;
        for (int i = 0; i < 2 * frames_per_second; i++) follow_piece(1.0 / frames_per_second);
        EXPECT_NEAR(game.camera_height, 20.0 - 10.0 * std::exp(-3.0 * 2), 1e-9)
            << frames_per_second << " frames a second";
    }
}
