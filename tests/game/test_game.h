#pragma once

#include <algorithm>
#include <cstring>
#include <initializer_list>

#include "../scratch_dir.h"
#include "bitmapfonts.h"
#include "builtin_font.h"
#include "driver.h"
#include "keystate.h"
#include "rules.h"
#include "well.h"

inline void start_test_game(GameState *state, int shape) {
    memset(state, 0x5A, sizeof *state); // junk, so that a start value left unset shows
    state->well = create_well();
    set_start_values(state, 0.0);
    state->piece_colour = 3;
    set_piece_shape(&state->piece, shape);
}

inline void turn_piece(PieceCells *piece, int turns) {
    while (turns-- > 0) {
        PieceCells before = *piece;
        rotate_piece_cells(&before, piece);
    }
}

inline void only_the_game_font() {
    for (uint32_t i = 0; i < font_list.count; i++) {
        free(fonts[i]->name);
        free(fonts[i]);
    }
    font_list.count = 0;
    current_font = nullptr;
    current_style = {};
    load_builtin_font();
}

class PlayTest : public ScratchDirTest {
  protected:
    void SetUp() override { ScratchDirTest::SetUp(), start_test_game(&state, SHAPE_SQUARE); }
    void TearDown() override { free_well(state.well), ScratchDirTest::TearDown(); }
    void frame(double dt, std::initializer_list<int> held = {}, double speed = 1.0) {
        uint8_t keys[KEY_SLOTS] = {};
        for (int k : held) keys[k] = 1;
        play_frame(&state, keys, before, dt, speed);
        memcpy(before, keys, sizeof keys);
    }
    void place(int shape, int column, double height, int turns = 0) {
        set_piece_shape(&state.piece, shape);
        turn_piece(&state.piece, turns);
        state.piece_column = column;
        state.piece_height = height;
    }
    void fill_row(int r, std::initializer_list<int> gaps = {}) {
        for (int c = 0; c < WELL_COLUMNS; c++) state.well[c][r] = 1;
        for (int c : gaps) state.well[c][r] = 0;
    }
    int filled_in_row(int r) const {
        return (int)std::count_if(state.well, state.well + WELL_COLUMNS,
                                  [r](int32_t *c) { return c[r] >= 1; });
    }
    GameState state;
    uint8_t before[KEY_SLOTS] = {};
};
