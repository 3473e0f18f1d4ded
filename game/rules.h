// The rule book, applied once per frame: steps, turns, gravity, settling,
// row removal, scoring, pause and the end of the game.  Free of SDL and GL so
// that whole games can be played in tests.
#pragma once

#include <cstdint>

#include "game_state.h"

// Key indices of the controls.
enum {
    KEY_ESCAPE = 0x1B,
    KEY_SPACE = 0x20,
    KEY_A = 0x61,
    KEY_D = 0x64,
    KEY_M = 0x6D,
    KEY_P = 0x70,
    KEY_Q = 0x71,
    KEY_S = 0x73,
    KEY_W = 0x77,
    KEY_RIGHT = 0xCF,
    KEY_LEFT = 0xD0,
    KEY_DOWN = 0xD1,
    KEY_UP = 0xD2,
    KEY_KP_MINUS = 0xD6,
    KEY_KP_PLUS = 0xD7,
    // Slots of the controller, which no key reaches (the letters of a
    // keyboard layout stop far below).
    KEY_PAD_BACK = 505,
    KEY_PAD_UNPLUGGED = 506, // down for one frame when a controller goes
};

// One frame of play: the mute toggle (M), the pause request (P; while
// playing also the controller's Back or its unplugging), then either the
// game step or the pause toggle; what happened is left in state->events.  keys and keys_before are
// the current and previous key arrays; dt is the frame time (0 unless playing); fall_speed in rows
// per second.
void play_frame(GameState *state, const uint8_t *keys, const uint8_t *keys_before, double dt,
                double fall_speed);

// Removes every full ring, lowering the rows above it; returns how many.
int remove_full_rows(int32_t **well);

// Points for the rows removed by one lock: 5^(count - 1), 0 for none.
int points_for_rows(int count);

// Rows per second at the given number of seconds since the start.
inline double fall_speed_at(double seconds_since_start) {
    return 1.0 + seconds_since_start / 120.0;
}
