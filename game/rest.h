// Resting: paused or after the game, the picture changes only with the
// player's input, the exit prompt's blink and the window's own events, so
// frames are drawn only then and the loop sleeps in between.
#pragma once

#include "game_state.h"

// Whether the frame at wall-clock time now must be drawn, given the game as
// the last drawn frame showed it at wall-clock time shown_at.  Every frame
// is while playing, and whenever the window asks for one.
bool frame_due(const GameState *shown, double shown_at, const GameState *now, double now_at,
               bool window_asks);

// Seconds from wall-clock time now until the picture at rest may change by
// itself: the next half second after the game, for the prompt's blink;
// half a second while paused, when nothing is due.
double seconds_until_due(const GameState *now, double now_at);

// Whether the scene (not the overlay) drawn now would look as the last frame
// drawn showed it: after the game, with the view unmoved and nothing asked
// of the window, only the prompt and the mute sign can change.
bool scene_unchanged(const GameState *shown, const GameState *now, bool window_asks);
