// The event pump and the input state it keeps.
//
// Once per frame pump_events drains SDL's queue into the key-state arrays and
// the mouse globals; the game reads input from these, never from events.
#pragma once

#include <SDL.h>
#include <cstdint>

#include "keystate.h"

enum {
    MOUSE_LEFT = 0x01,
    MOUSE_RIGHT = 0x02,
    MOUSE_WHEEL_UP = 0x04,
    MOUSE_WHEEL_DOWN = 0x08,
    MOUSE_MIDDLE = 0x10,
    MOUSE_X1 = 0x20,
    MOUSE_OTHER = 0x40,
};

extern int32_t mouse_x, mouse_y;
extern uint32_t mouse_buttons, mouse_buttons_prev;

// Slot of an SDL keycode: the code itself for character keys, scancode + 128
// for the others.  May be outside 0..511 (non-Latin layouts, for one).
int32_t key_index(SDL_Keycode keycode);

void clear_key_state();

// Presses or lets go the key slot given (0..511) as a key does; a slot
// pressed and let go between two pumps is down for one.
void set_key_slot(int32_t slot, bool held);

// Whether a key of the keyboard holds the slot, whatever else holds it.
bool keyboard_holds(int32_t slot);

// Set by the pump when the window's picture must be drawn again (uncovered,
// resized, shown, another scale, the focus changing); the program clears it
// once it has drawn.
extern bool window_needs_redraw;

// Waits at most timeout_ms for an event, without taking it from the queue;
// controllers are read meanwhile, a few dozen times a second.
void wait_for_events(int timeout_ms);

// Returns 0 once the queue is drained, 1 when a quit was requested (a window
// close, SIGINT or SIGTERM); SDL has then been shut down.
int pump_events();
