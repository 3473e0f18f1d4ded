// The cylindrical well and the falling piece.
//
// Columns form a ring: every column number is taken mod 20, so a piece that
// steps off column 19 comes back in column 0.  Rows never wrap.
#pragma once

#include <cmath>

#include "game_state.h"

// Allocates a well with its floor row and everything above it empty.
int32_t **create_well();
// Frees a well that create_well made.
void free_well(int32_t **well);

// floor(v) for v = (a / 2^31 + b) * n / 2^31, a and b two draws of rand().
int random_index(int n);

// The seven shapes, numbered as drawn by new_piece_shape.
enum {
    SHAPE_ROW_OF_FOUR = 0,
    SHAPE_SQUARE = 1,
    SHAPE_HOOK_UP = 2,   // three in a row, one above the low-column end
    SHAPE_HOOK_DOWN = 3, // three in a row, one below the low-column end
    SHAPE_TEE = 4,       // three in a row, one above the middle
    SHAPE_STEP_UP = 5,   // two, and above them two shifted one column higher
    SHAPE_STEP_DOWN = 6, // two, and below them two shifted one column higher
    SHAPE_COUNT = 7,
};

// Clears the cells and fills shape k in its spawn orientation.
void set_piece_shape(PieceCells *piece, int k);

// set_piece_shape with a shape drawn at random.
void new_piece_shape(PieceCells *piece);

// The first piece's colour index, 1..7, drawn at random.
int first_piece_colour();

// The run's first piece: its colour drawn before its shape, so that with
// rand never seeded every run starts with the same piece.
void deal_first_piece(GameState *state);

// Whether the piece, its pivot at (column, row), overlaps nothing.  Cells
// above row 19 or below row 0 never collide; the floor does.
bool piece_fits(int32_t *const *well, const PieceCells *piece, int column, int row);

// The quarter turn that carries the cell on the higher-column side of the
// pivot to the cell below it.
void rotate_piece_cells(const PieceCells *from, PieceCells *to);

// Moves the piece one column lower (step -1) or higher (step +1) when it
// fits there; tells whether it moved.
bool try_step(GameState *state, int step);

// Turns the piece in place when the turned shape fits; tells whether it did.
bool try_turn(GameState *state);

// Writes the piece into the well at its whole row.  Returns false on
// overflow (a cell outside rows 0..19); the cells visited before that one
// (higher piece columns first, top rows first) stay written.
bool lock_piece(GameState *state);

// Next colour in the cycle, a fresh shape, back at the spawn height in the
// same column.
void spawn_next_piece(GameState *state);

inline int whole_row(double height) {
    return (int)std::floor(height);
}

inline int wrap_column(int column) {
    int c = column % WELL_COLUMNS;
    return c < 0 ? c + WELL_COLUMNS : c;
}
