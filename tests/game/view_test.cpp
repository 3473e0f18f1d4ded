#include "view.h"

#include <cmath>

#include "play_helpers.h"
#include "scene.h"

namespace {

using View = PlayTest;

TEST_F(View, HundredPixelsRightTurnsHalfARadian) {
    state.view_yaw = 1.0;
    apply_mouse_look(&state, 100, 0);
    EXPECT_DOUBLE_EQ(state.view_yaw, 1.5);
    EXPECT_EQ(state.view_pitch, 0.0);
}

TEST_F(View, PitchStaysWithinItsLimits) {
    for (int i = 0; i < 50; i++) {
        apply_mouse_look(&state, 0, 10000);
        ASSERT_LE(state.view_pitch, 1.3);
    }
    EXPECT_EQ(state.view_pitch, 1.3);
    apply_mouse_look(&state, 0, -1000000);
    EXPECT_EQ(state.view_pitch, -1.3);
    apply_mouse_look(&state, 0, 20); // back from the limit at once
    EXPECT_NEAR(state.view_pitch, -1.2, 1e-12);
}

TEST_F(View, YawWrapsKeepingItsSign) {
    state.view_yaw = 2 * M_PI - 0.1;
    apply_mouse_look(&state, 40, 0); // +0.2
    EXPECT_NEAR(state.view_yaw, 0.1, 1e-9);
    state.view_yaw = -2 * M_PI + 0.1;
    apply_mouse_look(&state, -40, 0);
    EXPECT_LT(state.view_yaw, 0.0);
    EXPECT_GT(state.view_yaw, -2 * M_PI);
    EXPECT_NEAR(state.view_yaw, -0.1, 1e-9);
}

TEST_F(View, ZoomStepsWithinItsLimits) {
    auto zoom = [&](std::initializer_list<int> held) {
        memset(keys, 0, sizeof keys);
        memset(before, 0, sizeof before);
        for (int k : held) keys[k] = 1;
        return apply_zoom(&state, keys, before);
    };
    EXPECT_EQ(state.fov_degrees, 90);
    EXPECT_EQ(zoom({KEY_KP_PLUS}), 1);
    EXPECT_EQ(state.fov_degrees, 100);
    state.fov_degrees = 150;
    EXPECT_EQ(zoom({KEY_KP_PLUS}), 0);
    EXPECT_EQ(state.fov_degrees, 150);
    EXPECT_EQ(zoom({KEY_KP_PLUS, KEY_KP_MINUS}), 1);
    EXPECT_EQ(state.fov_degrees, 140);
    state.fov_degrees = 30;
    EXPECT_EQ(zoom({KEY_KP_MINUS}), 0);
    EXPECT_EQ(zoom({KEY_KP_PLUS, KEY_KP_MINUS}), 2); // up to 40 and back
    EXPECT_EQ(state.fov_degrees, 30);
    // Held keys do not repeat.
    memset(before, 0, sizeof before);
    keys[KEY_KP_PLUS] = before[KEY_KP_PLUS] = 1;
    keys[KEY_KP_MINUS] = 0;
    EXPECT_EQ(apply_zoom(&state, keys, before), 0);
}

TEST_F(View, CameraHeightEasesIndependentlyOfFrameRate) {
    const double H = 20.0, h0 = 10.0;
    for (int frames_per_second : {7, 60, 1000}) {
        game = state;
        game.piece_height = H;
        game.camera_height = h0;
        for (int i = 0; i < 2 * frames_per_second; i++) follow_piece(1.0 / frames_per_second);
        EXPECT_NEAR(game.camera_height, H - (H - h0) * std::exp(-3.0 * 2), 1e-9)
            << frames_per_second << " frames a second";
        follow_piece(0.0);
        EXPECT_NEAR(game.camera_height, H - (H - h0) * std::exp(-3.0 * 2), 1e-9);
    }
}

TEST(Shading, DeepRowsAreDarkerAndBluer) {
    Shade top = row_shade(19), middle = row_shade(10), bottom = row_shade(0);
    EXPECT_NEAR(top.red, 0.904837, 1e-6);
    EXPECT_NEAR(top.green, 0.951229, 1e-6);
    EXPECT_NEAR(top.blue, 0.975310, 1e-6);
    EXPECT_NEAR(middle.red, 0.367879, 1e-6);
    EXPECT_NEAR(middle.green, 0.606531, 1e-6);
    EXPECT_NEAR(middle.blue, 0.778801, 1e-6);
    EXPECT_NEAR(bottom.red, 0.135335, 1e-6);
    EXPECT_NEAR(bottom.green, 0.367879, 1e-6);
    EXPECT_NEAR(bottom.blue, 0.606531, 1e-6);
}

TEST(Shading, ColourIndicesAreThreeBits) {
    const double expected[8][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0},
                                   {0, 0, 1}, {1, 0, 1}, {0, 1, 1}, {1, 1, 1}};
    for (int v = 1; v <= 7; v++) {
        Shade c = colour_of_index(v);
        EXPECT_EQ(c.red, expected[v][0]) << v;
        EXPECT_EQ(c.green, expected[v][1]) << v;
        EXPECT_EQ(c.blue, expected[v][2]) << v;
    }
}

} // namespace
