#include "rest.h"

#include <gtest/gtest.h>

// At rest a frame is due when the picture changes; the last drawn at 10.0.
TEST(Rest, AFrameIsDueOnlyWhenThePictureChanges) {
    const struct {
        const char *name;
        PlayState before, now;
        int fov;
        double yaw, pitch, at, wait;
        bool asks, due;
    } cases[] = {
        {"playing", PLAYING, PLAYING, 0, 0, 0, 10.2, 0.5, false, true},
        {"paused, untouched", PAUSED, PAUSED, 0, 0, 0, 11.7, 0.5, false, false},
        {"paused, uncovered", PAUSED, PAUSED, 0, 0, 0, 10.2, 0.5, true, true},
        {"just paused", PLAYING, PAUSED, 0, 0, 0, 10.2, 0.5, false, true},
        {"paused, zoomed", PAUSED, PAUSED, 80, 0, 0, 10.2, 0.5, false, true},
        {"game over, turned", GAME_OVER, GAME_OVER, 0, 0.1, 0, 10.2, 0.3, false, true},
        {"game over, tilted", GAME_OVER, GAME_OVER, 0, 0, 0.1, 10.9, 0.1, false, true},
        {"game over, within a half", GAME_OVER, GAME_OVER, 0, 0, 0, 10.49, 0.01, false, false},
        {"game over, a blink", GAME_OVER, GAME_OVER, 0, 0, 0, 10.5, 0.5, false, true},
    };
    for (const auto &c : cases) {
        GameState shown = {}, now = {};
        shown.play_state = c.before;
        now.play_state = c.now;
        now.fov_degrees = c.fov;
        now.view_yaw = c.yaw;
        now.view_pitch = c.pitch;
        EXPECT_EQ(frame_due(&shown, 10.0, &now, c.at, c.asks), c.due) << c.name;
        EXPECT_NEAR(seconds_until_due(&now, c.at), c.wait, 1e-9) << c.name << ": the wait";
    }
}
