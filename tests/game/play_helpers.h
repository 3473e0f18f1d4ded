// Plays the rules frame by frame without a window, in a scratch directory
// (game over writes scores.txt there).
#pragma once

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

#include "../scratch_dir.h"
#include "driver.h"
#include "test_game.h"
#include "keystate.h"
#include "rules.h"
#include "well.h"

class PlayTest : public ScratchDirTest {
  protected:
    void SetUp() override {
        ScratchDirTest::SetUp();
        start_test_game(&state, 3, SHAPE_SQUARE);
        memset(keys, 0, sizeof keys);
        memset(before, 0, sizeof before);
    }
    void TearDown() override {
        free_test_well(&state);
        ScratchDirTest::TearDown();
    }

    // One frame with the given keys held (pressed this frame unless they
    // were already held the frame before).
    void frame(double dt, std::initializer_list<int> held = {}, double speed = 1.0) {
        memset(keys, 0, sizeof keys);
        for (int k : held) keys[k] = 1;
        play_frame(&state, keys, before, dt, speed);
        memcpy(before, keys, sizeof keys);
    }
    void place(int shape, int column, double height) {
        set_piece_shape(&state.piece, shape);
        state.piece_column = column;
        state.piece_height = height;
    }
    // Fills row r in every column but the listed ones.
    void fill_row(int r, std::initializer_list<int> gaps = {}, int colour = 1) {
        for (int c = 0; c < WELL_COLUMNS; c++) state.well[c][r] = colour;
        for (int c : gaps) state.well[c][r] = 0;
    }
    int filled_in_row(int r) const {
        int n = 0;
        for (int c = 0; c < WELL_COLUMNS; c++) n += state.well[c][r] >= 1;
        return n;
    }

    GameState state;
    uint8_t keys[KEY_SLOTS];
    uint8_t before[KEY_SLOTS];
};
