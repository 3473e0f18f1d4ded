// The game driver: start-up, the frame loop, and the end of the run.
#pragma once

// Opens the window, builds the assets, sets up the game and runs frames
// until the player quits.  Returns the process exit status: 0 after a quit,
// 1 when no window could be opened.
int run_game(int argc, char **argv, const char *command_line);

#include "game_state.h"

// One pass of the frame loop: the view, the game step, the frame drawn when
// one is due (else a wait for events), the event pump.  Returns false when
// the run is over; *sdl_shut_down tells whether a quit request took SDL down.
bool run_frame(bool *sdl_shut_down);

// Gives the controller's buttons and left stick the keys of the same
// controls (the D-pad and stick the arrows, A, B and up a turn, Start P,
// the shoulders the keypad zoom), Back and unplugging their own slots.
void map_pad_controls();

// Draws one frame's picture after the view update and the game step: the
// scene, then the overlay with the exit prompt as it blinks at wall-clock
// time now; finished, ready to be shown.  After the game, a scene known
// unchanged is the picture kept from the last frame that drew it.
void draw_frame(double dt, double now, bool scene_unchanged = false);

// Gives a game record whose well and first piece exist its start values:
// piece at the spawn height in column 0, playing, no score, the camera at
// its start, and the clock started at now.
void set_start_values(GameState *state, double now);
