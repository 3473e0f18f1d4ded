// The camera: mouse look, keypad zoom, and the camera following the piece.
#include "view.h"

#include <cmath>

#include "scene.h"
#include "test_game.h"

// The pointer turns the view 0.005 rad a pixel, round and round, and tilts
// it within +-1.3; keypad plus and minus (1 pressed, 2 held) zoom by ten
// degrees between 30 and 150.
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
    // The camera starts at 10 and eases to the piece alike at any frame rate.
    for (int frames_per_second : {7, 60, 1000}) {
        game.camera_height = 10.0, game.piece_height = 20.0;
        for (int i = 0; i < 2 * frames_per_second; i++) follow_piece(1.0 / frames_per_second);
        follow_piece(0.0);
        EXPECT_NEAR(game.camera_height, 20.0 - 10.0 * std::exp(-3.0 * 2), 1e-9)
            << frames_per_second << " frames a second";
    }
}
