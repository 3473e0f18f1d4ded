#include "rest.h"

#include <gtest/gtest.h>

// At rest a frame is due when the picture changes, and after the game the
// scene is kept while only the overlay does; the last drawn at 10.0.
TEST(Rest, AFrameIsDueOnlyWhenThePictureChanges) {
    const struct {
        const char *name;
        PlayState before, now;
        int fov;
        double yaw, pitch;
        bool muted;
        double at, wait;
        bool asks, due, scene_kept;
    } cases[] = {
        {"playing", PLAYING, PLAYING, 0, 0, 0, false, 10.2, 0.5, false, true, false},
        {"paused, untouched", PAUSED, PAUSED, 0, 0, 0, false, 11.7, 0.5, false, false, false},
        {"paused, uncovered", PAUSED, PAUSED, 0, 0, 0, false, 10.2, 0.5, true, true, false},
        {"just paused", PLAYING, PAUSED, 0, 0, 0, false, 10.2, 0.5, false, true, false},
        {"paused, muted", PAUSED, PAUSED, 0, 0, 0, true, 10.2, 0.5, false, true, false},
        {"paused, zoomed", PAUSED, PAUSED, 80, 0, 0, false, 10.2, 0.5, false, true, false},
        {"over, turned", GAME_OVER, GAME_OVER, 0, 0.1, 0, false, 10.2, 0.3, false, true, false},
        {"over, tilted", GAME_OVER, GAME_OVER, 0, 0, 0.1, false, 10.9, 0.1, false, true, false},
        {"over, in a half", GAME_OVER, GAME_OVER, 0, 0, 0, false, 10.49, 0.01, false, false, true},
        {"over, a blink", GAME_OVER, GAME_OVER, 0, 0, 0, false, 10.5, 0.5, false, true, true},
        {"just over", PLAYING, GAME_OVER, 0, 0, 0, false, 10.2, 0.3, false, true, false},
        {"over, zoomed", GAME_OVER, GAME_OVER, 80, 0, 0, false, 10.2, 0.3, false, true, false},
        {"over, uncovered", GAME_OVER, GAME_OVER, 0, 0, 0, true, 10.2, 0.3, true, true, false},
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
        EXPECT_EQ(scene_unchanged(&shown, &now, c.asks), c.scene_kept) << c.name << ": the scene";
    }
}
