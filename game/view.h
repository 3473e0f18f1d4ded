// The camera: mouse look, pointer re-centring and keypad zoom, applied at
// the start of every frame.
#pragma once

#include <cstdint>

#include "game_state.h"

const double MOUSE_RADIANS_PER_PIXEL = 0.005;
const double PITCH_LIMIT = 1.3;
const double STICK_DEAD_ZONE = 0.15;
const double STICK_YAW_RATE = 2.0;
const double STICK_PITCH_RATE = 1.0;
enum { FOV_MIN = 30, FOV_MAX = 150, FOV_STEP = 10 };

// Turns and tilts the view by the pointer's offset from the window centre.
void apply_mouse_look(GameState *state, int dx, int dy);

// Turns and tilts the view at a rate set by the stick's lean x and y
// (-1..1): still within a dead zone, then growing to STICK_YAW_RATE and
// STICK_PITCH_RATE radians a second at full lean, over the seconds given.
void apply_stick_look(GameState *state, double x, double y, double seconds);

// Keypad plus, then minus.
void apply_zoom(GameState *state, const uint8_t *keys, const uint8_t *keys_before);

// The per-frame view step on the game record, seconds after the last: mouse
// and stick look (not while paused; the mouse not while another window has
// the focus), the pointer back to the centre, the zoom with its projection
// reloads, and the camera rotations.
void update_view(double seconds);
