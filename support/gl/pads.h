// Game controllers, as SDL's game-controller mappings name their controls:
// every controller plugged in before or during the run is opened and read
// by the event pump.  Buttons and the left stick press key slots, so that
// the program reads them as it reads keys; the right stick is a value.
#pragma once

#include <SDL.h>
#include <cstdint>

enum { PAD_STICK_LEFT, PAD_STICK_RIGHT, PAD_STICK_UP, PAD_STICK_DOWN, PAD_STICK_DIRECTIONS };

// Settings: the key slot each button and each left-stick direction presses,
// and the slot tapped when a controller is unplugged (0: none).  A stick
// direction is pressed past half its travel and let go under a third.
extern int16_t pad_button_slots[SDL_CONTROLLER_BUTTON_MAX];
extern int16_t pad_stick_slots[PAD_STICK_DIRECTIONS];
extern int16_t pad_unplugged_slot;

// The right stick pushed furthest over all controllers, -1..1, right and
// down positive; 0 with none plugged in.
extern double pad_look_x, pad_look_y;

// Whether a controller is open.
bool any_pad_open();

// Whether any controller's button or stick holds the key slot.
bool pads_hold(int32_t slot);

// Opens, reads and closes controllers from the event given; other events
// are left alone.
void handle_pad_event(const SDL_Event *event);

// Closes every controller, before SDL shuts down.
void close_pads();
