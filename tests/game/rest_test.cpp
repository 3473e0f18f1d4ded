#include "rest.h"

#include <gtest/gtest.h>

// At rest a frame is due when the picture changes, and after the game the
// scene is kept while only the overlay does; the last drawn at 10.0.
TEST(Rest, AFrameIsDueOnlyWhenThePictureChanges) {
    enum { SAME, ZOOMED, TURNED, TILTED, MUTED }; // the view or sound against the shown
    const struct {
        const char *name;
        PlayState before, now;
        int changed;
        double at, wait;
        bool asks, due, scene_kept;
    } cases[] = {
        {"playing", PLAYING, PLAYING, SAME, 10.2, 0.5, false, true, false},
        {"paused, untouched", PAUSED, PAUSED, SAME, 11.7, 0.5, false, false, false},
        {"over, turned", GAME_OVER, GAME_OVER, TURNED, 10.2, 0.3, false, true, false},
        {"over, tilted", GAME_OVER, GAME_OVER, TILTED, 10.9, 0.1, false, true, false},
        {"over, in a half", GAME_OVER, GAME_OVER, SAME, 10.49, 0.01, false, false, true},
        {"over, a blink", GAME_OVER, GAME_OVER, SAME, 10.5, 0.5, false, true, true},
        {"over, muted", GAME_OVER, GAME_OVER, MUTED, 10.2, 0.3, false, true, true},
        {"just over", PLAYING, GAME_OVER, SAME, 10.2, 0.3, false, true, false},
        {"over, zoomed", GAME_OVER, GAME_OVER, ZOOMED, 10.2, 0.3, false, true, false},
        {"over, uncovered", GAME_OVER, GAME_OVER, SAME, 10.2, 0.3, true, true, false},
    };
    for (const auto &c : cases) {
        GameState shown = {}, now = {};
        shown.play_state = c.before;
        now.play_state = c.now;
        now.fov_degrees = c.changed == ZOOMED;
        now.view_yaw = c.changed == TURNED;
        now.view_pitch = c.changed == TILTED;
        now.muted = c.changed == MUTED;
        EXPECT_EQ(frame_due(&shown, 10.0, &now, c.at, c.asks), c.due) << c.name;
        EXPECT_NEAR(seconds_until_due(&now, c.at), c.wait, 1e-9) << c.name << ": the wait";
        EXPECT_EQ(scene_unchanged(&shown, &now, c.asks), c.scene_kept) << c.name << ": the scene";
    }
}
