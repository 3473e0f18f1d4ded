#include "view.h"

#include <cmath>

#include "scene.h"
#include "test_game.h"

using View = PlayTest;

// The mouse turns half a radian per hundred pixels, the pitch within +-1.3;
// the keypad zooms by ten between 30 and 150; the camera starts at 10 and
// eases towards the piece the same way at any frame rate.
TEST_F(View, MouseTurnsZoomStepsAndTheCameraEases) {
    // clang-format off
    const double looks[][6] = { // yaw, pitch, dx, dy, then the new yaw and pitch
        {1.0, 0.0, 100, 0, 1.5, 0.0}, {1.0, 0.0, 0, 10000, 1.0, 1.3}, {0.0, -1.3, 0, 20, 0.0, -1.2},
        {0.0, 0.5, 0, -1000000, 0.0, -1.3}, {2 * M_PI - 0.1, 0, 40, 0, 0.1, 0}, {-2 * M_PI + 0.1, 0, -40, 0, -0.1, 0}};
    const int zooms[][5] = { // fov, plus and minus (1 pressed, 2 held), then the reloads and the new fov
        {90, 1, 0, 1, 100}, {150, 1, 0, 0, 150}, {150, 1, 1, 1, 140}, {30, 0, 1, 0, 30}, {30, 1, 1, 2, 30},
        {90, 2, 0, 0, 90}, {90, 0, 1, 1, 80}};
    // clang-format on
    for (auto c : looks) {
        state.view_yaw = c[0], state.view_pitch = c[1];
        apply_mouse_look(&state, (int)c[2], (int)c[3]);
        EXPECT_NEAR(state.view_yaw, c[4], 1e-9) << "yaw " << c[0] << " turned by " << c[2];
        EXPECT_NEAR(state.view_pitch, c[5], 1e-9) << "pitch " << c[1] << " tilted by " << c[3];
    }
    for (auto [fov, plus, minus, reloads, new_fov] : zooms) {
        uint8_t keys[KEY_SLOTS] = {}, held[KEY_SLOTS] = {};
        keys[KEY_KP_PLUS] = plus > 0, keys[KEY_KP_MINUS] = minus > 0, held[KEY_KP_PLUS] = plus == 2;
        state.fov_degrees = fov;
        EXPECT_EQ(apply_zoom(&state, keys, held), reloads) << fov << " " << plus << " " << minus;
        EXPECT_EQ(state.fov_degrees, new_fov) << fov << " " << plus << " " << minus;
    }
    for (int frames_per_second : {7, 60, 1000}) {
        game = state;
        game.piece_height = 20.0;
        for (int i = 0; i < 2 * frames_per_second; i++) follow_piece(1.0 / frames_per_second);
        follow_piece(0.0);
        EXPECT_NEAR(game.camera_height, 20.0 - 10.0 * std::exp(-3.0 * 2), 1e-9)
            << frames_per_second;
    }
}
