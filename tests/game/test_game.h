// A game record for tests: a fresh well, the start values, a chosen piece.
#pragma once

#include <cstdlib>
#include <cstring>

#include "driver.h"
#include "well.h"

inline void start_test_game(GameState *state, int colour, int shape) {
    memset(state, 0, sizeof *state);
    state->well = create_well();
    set_start_values(state, 0.0);
    state->piece_colour = colour;
    set_piece_shape(&state->piece, shape);
}

inline void free_test_well(GameState *state) {
    for (int c = 0; c < WELL_COLUMNS; c++) free(state->well[c]);
    free(state->well);
    state->well = nullptr;
}
