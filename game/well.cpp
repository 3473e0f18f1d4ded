#include "well.h"

#include <cstdlib>
#include <cstring>

#include "allocation.h"

int32_t **create_well() {
    int32_t **well = (int32_t **)checked_malloc(WELL_COLUMNS * sizeof(int32_t *));
    for (int c = 0; c < WELL_COLUMNS; c++) {
        well[c] = (int32_t *)checked_calloc(WELL_ROWS, sizeof(int32_t));
        well[c][0] = FLOOR_CELL;
    }
    return well;
}

void free_well(int32_t **well) {
    for (int c = 0; c < WELL_COLUMNS; c++) free(well[c]);
    free(well);
}

// 2 to the power -31: a value of rand() times it lies in [0, 1).
static const double RAND_SCALE = 1.0 / 2147483648.0;

int random_index(int n) {
    double a = rand();
    double b = rand();
    double v = (a * RAND_SCALE + b) * (n * RAND_SCALE);
    return (int)std::floor(v);
}

// The seven shapes in their spawn orientation, as (dc, dr) offsets from the
// pivot: dc toward higher columns, dr upward.
static const int SHAPES[SHAPE_COUNT][4][2] = {
    {{-1, 0}, {0, 0}, {1, 0}, {2, 0}},    // row of four
    {{-1, -1}, {-1, 0}, {0, -1}, {0, 0}}, // square
    {{-1, 0}, {0, 0}, {1, 0}, {-1, 1}},   // three, one above the low end
    {{-1, 0}, {0, 0}, {1, 0}, {-1, -1}},  // three, one below the low end
    {{-1, 0}, {0, 0}, {1, 0}, {0, 1}},    // three, one above the middle
    {{-1, 0}, {0, 0}, {0, 1}, {1, 1}},    // step up
    {{-1, 0}, {0, 0}, {0, -1}, {1, -1}},  // step down
};

void set_piece_shape(PieceCells *piece, int k) {
    memset(piece, 0, sizeof *piece);
    if (k < 0 || k >= SHAPE_COUNT) k = SHAPE_COUNT - 1;
    for (const auto &offset : SHAPES[k]) piece->cell[offset[0] + 2][offset[1] + 2] = 1;
}

void new_piece_shape(PieceCells *piece) {
    set_piece_shape(piece, random_index(SHAPE_COUNT));
}

int first_piece_colour() {
    int k = random_index(7);
    return (k > 6 ? 6 : k) + 1;
}

void deal_first_piece(GameState *state) {
    state->piece_colour = first_piece_colour();
    new_piece_shape(&state->piece);
}

bool piece_fits(int32_t *const *well, const PieceCells *piece, int column, int row) {
    for (int i = 0; i < 5; i++) {
        for (int j = 0; j < 5; j++) {
            if (!piece->cell[i][j]) continue;
            int r = row + j - 2;
            if (r < 0 || r >= WELL_ROWS) continue;
            if (well[wrap_column(column + i - 2)][r] != 0) return false;
        }
    }
    return true;
}

void rotate_piece_cells(const PieceCells *from, PieceCells *to) {
    for (int a = 0; a < 5; a++)
        for (int b = 0; b < 5; b++) to->cell[a][b] = from->cell[4 - b][a];
}

bool try_step(GameState *state, int step) {
    int column = wrap_column(state->piece_column + step);
    if (!piece_fits(state->well, &state->piece, column, whole_row(state->piece_height)))
        return false;
    state->piece_column = column;
    return true;
}

bool try_turn(GameState *state) {
    PieceCells turned;
    rotate_piece_cells(&state->piece, &turned);
    if (!piece_fits(state->well, &turned, state->piece_column, whole_row(state->piece_height)))
        return false;
    state->piece = turned;
    return true;
}

bool lock_piece(GameState *state) {
    int row = whole_row(state->piece_height);
    for (int i = 4; i >= 0; i--) {
        for (int j = 4; j >= 0; j--) {
            if (!state->piece.cell[i][j]) continue;
            int r = row + j - 2;
            if (r < 0 || r >= WELL_ROWS) return false;
            state->well[wrap_column(state->piece_column + i - 2)][r] = state->piece_colour;
        }
    }
    return true;
}

void spawn_next_piece(GameState *state) {
    state->piece_colour = state->piece_colour % 7 + 1;
    new_piece_shape(&state->piece);
    state->piece_height = SPAWN_HEIGHT;
}
