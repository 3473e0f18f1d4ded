#include "rest.h"

#include <gtest/gtest.h>

// At rest a frame is due only when the state, the zoom or the view changed,
// the prompt blinked (after the game, at each half second) or the window
// asks; while playing, always.  The wait lasts until the next blink.
TEST(Rest, AFrameIsDueOnlyWhenThePictureChanges) {
    enum Change { NONE, ZOOM, YAW, PITCH };
    const struct {
        const char *name;
        PlayState shown_state, state;
        Change change;
        double shown_at, now;
        bool window_asks, due;
    } cases[] = {
        {"playing", PLAYING, PLAYING, NONE, 10.1, 10.2, false, true},
        {"paused, untouched", PAUSED, PAUSED, NONE, 10.1, 11.7, false, false},
        {"paused, uncovered", PAUSED, PAUSED, NONE, 10.1, 10.2, true, true},
        {"just paused", PLAYING, PAUSED, NONE, 10.1, 10.2, false, true},
        {"paused, zoomed", PAUSED, PAUSED, ZOOM, 10.1, 10.2, false, true},
        {"game over, turned", GAME_OVER, GAME_OVER, YAW, 10.1, 10.2, false, true},
        {"game over, tilted", GAME_OVER, GAME_OVER, PITCH, 10.1, 10.2, false, true},
        {"game over, within a half", GAME_OVER, GAME_OVER, NONE, 10.0, 10.49, false, false},
        {"game over, a blink", GAME_OVER, GAME_OVER, NONE, 10.49, 10.5, false, true},
    };
    for (const auto &c : cases) {
        GameState shown = {}, now = {};
        shown.play_state = c.shown_state;
        now.play_state = c.state;
        now.fov_degrees = c.change == ZOOM ? 80 : 0;
        now.view_yaw = c.change == YAW ? 0.1 : 0;
        now.view_pitch = c.change == PITCH ? 0.1 : 0;
        EXPECT_EQ(frame_due(&shown, c.shown_at, &now, c.now, c.window_asks), c.due) << c.name;
    }
    const struct {
        PlayState state;
        double now, wait;
    } waits[] = {
        {GAME_OVER, 10.2, 0.3},
        {GAME_OVER, 10.5, 0.5},
        {GAME_OVER, 10.9, 0.1},
        {PAUSED, 10.2, 0.5},
    };
    for (auto w : waits) {
        GameState now = {};
        now.play_state = w.state;
        EXPECT_NEAR(seconds_until_due(&now, w.now), w.wait, 1e-9) << w.state << " at " << w.now;
    }
}
