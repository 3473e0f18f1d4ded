#include "rest.h"

#include <cmath>

// The exit prompt's underscore turns on and off at each half of the second.
static double blink_phase(double wall_clock) {
    return std::floor(wall_clock * 2);
}

// The view the scene is seen through: the mouse after the game, the zoom.
static bool same_view(const GameState *a, const GameState *b) {
    return a->fov_degrees == b->fov_degrees && a->view_yaw == b->view_yaw &&
           a->view_pitch == b->view_pitch;
}

bool frame_due(const GameState *shown, double shown_at, const GameState *now, double now_at,
               bool window_asks) {
    if (now->play_state == PLAYING || window_asks) return true;
    // At rest only the state, the view (the mouse after the game, the zoom),
    // the mute and the blink can change.
    if (now->play_state != shown->play_state || now->muted != shown->muted ||
        !same_view(shown, now))
        return true;
    return now->play_state == GAME_OVER && blink_phase(now_at) != blink_phase(shown_at);
}

double seconds_until_due(const GameState *now, double now_at) {
    if (now->play_state != GAME_OVER) return 0.5;
    return (blink_phase(now_at) + 1) / 2 - now_at;
}

bool scene_unchanged(const GameState *shown, const GameState *now, bool window_asks) {
    return now->play_state == GAME_OVER && shown->play_state == GAME_OVER && !window_asks &&
           same_view(shown, now);
}
