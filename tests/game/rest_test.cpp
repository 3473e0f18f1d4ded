#include "rest.h"

#include <gtest/gtest.h>

// At rest a frame is due when the picture changes; the last drawn at 10.0.
TEST(Rest, AFrameIsDueOnlyWhenThePictureChanges) {
    const struct {
        const char *name;
        PlayState before, now;
        int fov;
        double yaw, pitch;
        bool muted;
        double at, wait;
        bool asks, due;
    } cases[] = {
        {"playing", PLAYING, PLAYING, 0, 0, 0, false, 10.2, 0.5, false, true},
        {"paused, untouched", PAUSED, PAUSED, 0, 0, 0, false, 11.7, 0.5, false, false},
        {"paused, uncovered", PAUSED, PAUSED, 0, 0, 0, false, 10.2, 0.5, true, true},
        {"just paused", PLAYING, PAUSED, 0, 0, 0, false, 10.2, 0.5, false, true},
        {"paused, muted", PAUSED, PAUSED, 0, 0, 0, true, 10.2, 0.5, false, true},
        {"paused, zoomed", PAUSED, PAUSED, 80, 0, 0, false, 10.2, 0.5, false, true},
        {"game over, turned", GAME_OVER, GAME_OVER, 0, 0.1, 0, false, 10.2, 0.3, false, true},
        {"game over, tilted", GAME_OVER, GAME_OVER, 0, 0, 0.1, false, 10.9, 0.1, false, true},
        {"over, within a half", GAME_OVER, GAME_OVER, 0, 0, 0, false, 10.49, 0.01, false, false},
        {"game over, a blink", GAME_OVER, GAME_OVER, 0, 0, 0, false, 10.5, 0.5, false, true},
    };
    for (const auto &c : cases) {
        GameState shown = {}, now = {};
        shown.play_state = c.before;
        now.play_state = c.now;
        now.fov_degrees = c.fov;
        now.view_yaw = c.yaw;
        now.view_pitch = c.pitch;
        now.muted = c.muted;
        EXPECT_EQ(frame_due(&shown, 10.0, &now, c.at, c.asks), c.due) << c.name;
        EXPECT_NEAR(seconds_until_due(&now, c.at), c.wait, 1e-9) << c.name << ": the wait";
    }
}
