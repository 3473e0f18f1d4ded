// The camera: mouse look, pointer re-centring and keypad zoom, applied at
// the start of every frame.
#pragma once

#include <cstdint>

#include "game_state.h"

const double MOUSE_RADIANS_PER_PIXEL = 0.005;
const double PITCH_LIMIT = 1.3;
enum { FOV_MIN = 30, FOV_MAX = 150, FOV_STEP = 10 };

// Turns and tilts the view by the pointer's offset from the window centre.
void apply_mouse_look(GameState *state, int dx, int dy);

// Keypad plus, then minus.
void apply_zoom(GameState *state, const uint8_t *keys, const uint8_t *keys_before);

// The per-frame view step on the game record: mouse look (not while paused
// or while another window has the focus), the pointer back to the centre,
// the zoom with its projection reloads, and the camera rotations.
void update_view();
