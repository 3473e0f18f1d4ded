#include "well.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "play_helpers.h"

namespace {

using Cells = std::set<std::pair<int, int>>; // (dc, dr) offsets of the filled cells

Cells offsets(const PieceCells &piece) {
    Cells cells;
    for (int i = 0; i < 5; i++)
        for (int j = 0; j < 5; j++)
            if (piece.cell[i][j]) cells.insert({i - 2, j - 2});
    return cells;
}

TEST(Well, StartsWithAFloorRowAndNothingAbove) {
    int32_t **well = create_well();
    for (int c = 0; c < WELL_COLUMNS; c++) {
        EXPECT_EQ(well[c][0], FLOOR_CELL);
        for (int r = 1; r < WELL_ROWS; r++) EXPECT_EQ(well[c][r], 0);
        free(well[c]);
    }
    free(well);
}

TEST(Pieces, ShapesInTheirSpawnOrientation) {
    const Cells expected[SHAPE_COUNT] = {
        {{-1, 0}, {0, 0}, {1, 0}, {2, 0}},   {{-1, -1}, {-1, 0}, {0, -1}, {0, 0}},
        {{-1, 0}, {0, 0}, {1, 0}, {-1, 1}},  {{-1, 0}, {0, 0}, {1, 0}, {-1, -1}},
        {{-1, 0}, {0, 0}, {1, 0}, {0, 1}},   {{-1, 0}, {0, 0}, {0, 1}, {1, 1}},
        {{-1, 0}, {0, 0}, {0, -1}, {1, -1}},
    };
    PieceCells piece;
    for (int k = 0; k < SHAPE_COUNT; k++) {
        set_piece_shape(&piece, k);
        EXPECT_EQ(offsets(piece), expected[k]) << "shape " << k;
    }
}

TEST(Pieces, RandomDrawsStayInRange) {
    srand(12345);
    std::set<int> shapes_seen;
    for (int n = 0; n < 2000; n++) {
        int k = random_index(7);
        ASSERT_GE(k, 0);
        ASSERT_LE(k, 6);
        shapes_seen.insert(k);
        int colour = first_piece_colour();
        ASSERT_GE(colour, 1);
        ASSERT_LE(colour, 7);
    }
    EXPECT_EQ(shapes_seen.size(), 7u);
}

TEST(Pieces, TurnMovesTheHigherColumnSideBelowThePivot) {
    PieceCells piece, turned;
    set_piece_shape(&piece, SHAPE_ROW_OF_FOUR);
    rotate_piece_cells(&piece, &turned);
    EXPECT_EQ(offsets(turned), (Cells{{0, 1}, {0, 0}, {0, -1}, {0, -2}}));
}

TEST(Pieces, SquareTurnedFourTimesComesBack) {
    PieceCells piece, a, b;
    set_piece_shape(&piece, SHAPE_SQUARE);
    rotate_piece_cells(&piece, &a);
    EXPECT_NE(offsets(a), offsets(piece)) << "the square wanders round the pivot";
    rotate_piece_cells(&a, &b);
    rotate_piece_cells(&b, &a);
    rotate_piece_cells(&a, &b);
    EXPECT_EQ(offsets(b), offsets(piece));
}

using WellOps = PlayTest;

TEST_F(WellOps, CellsOutsideTheRowsNeverCollideButTheFloorDoes) {
    set_piece_shape(&state.piece, SHAPE_TEE); // rows pivot and pivot + 1
    fill_row(19);
    EXPECT_TRUE(piece_fits(state.well, &state.piece, 5, 20)); // rows 20 and 21: above the top
    EXPECT_FALSE(piece_fits(state.well, &state.piece, 5, 19));
    EXPECT_TRUE(piece_fits(state.well, &state.piece, 5, 1));
    EXPECT_FALSE(piece_fits(state.well, &state.piece, 5, 0)); // the floor row
    EXPECT_TRUE(piece_fits(state.well, &state.piece, 5, -2)); // below the floor
}

TEST_F(WellOps, StepsWrapAroundTheRing) {
    place(SHAPE_ROW_OF_FOUR, 0, 10.5);
    EXPECT_TRUE(try_step(&state, -1));
    EXPECT_EQ(state.piece_column, 19);
    EXPECT_TRUE(try_step(&state, +1));
    EXPECT_EQ(state.piece_column, 0);

    // Its pivot in column 19, the row of four covers 18, 19, 0 and 1.
    state.piece_column = 19;
    state.piece_height = 5.0;
    ASSERT_TRUE(lock_piece(&state));
    for (int c : {18, 19, 0, 1}) EXPECT_EQ(state.well[c][5], 3) << "column " << c;
    EXPECT_EQ(filled_in_row(5), 4);
}

TEST_F(WellOps, StepIntoABlockAcrossTheSeamIsRefused) {
    place(SHAPE_SQUARE, 0, 10.0); // covers columns 19 and 0
    state.well[18][10] = 2;
    EXPECT_FALSE(try_step(&state, -1));
    EXPECT_EQ(state.piece_column, 0);
}

TEST_F(WellOps, SpawnedPieceMovesAndTurnsAboveTheWell) {
    fill_row(19);
    fill_row(18, {10});
    place(SHAPE_ROW_OF_FOUR, 10, SPAWN_HEIGHT);
    EXPECT_TRUE(try_step(&state, +1)); // row 20 is above the well
    EXPECT_TRUE(try_step(&state, -1));
    // Turned, the row of four reaches down to row 18, and that cell is
    // tested: column 10 is free there, but row 19 is not.
    EXPECT_FALSE(try_turn(&state));
    EXPECT_EQ(offsets(state.piece), (Cells{{-1, 0}, {0, 0}, {1, 0}, {2, 0}}));
    fill_row(19, {10});
    EXPECT_TRUE(try_turn(&state));
}

TEST_F(WellOps, TurnRefusedByTheFloorKeepsTheShape) {
    place(SHAPE_ROW_OF_FOUR, 4, 1.5);
    PieceCells before_turn = state.piece;
    EXPECT_FALSE(try_turn(&state)); // would reach rows -1 and 0
    EXPECT_EQ(memcmp(&before_turn, &state.piece, sizeof before_turn), 0);
    EXPECT_EQ(state.piece_column, 4);
}

TEST_F(WellOps, OverflowingLockWritesOnlyTheCellsVisitedFirst) {
    // Cells are visited from the highest piece column down, top row first.
    // STEP_UP at pivot row 19 has (1,1) at row 20: it is visited first and
    // overflows before anything is written.
    place(SHAPE_STEP_UP, 5, 19.2);
    EXPECT_FALSE(lock_piece(&state));
    EXPECT_EQ(filled_in_row(19), 0);

    // A tee at pivot 19: (1,0) column 6 row 19 is written before the pivot
    // column's top cell (row 20) overflows.
    place(SHAPE_TEE, 5, 19.0);
    EXPECT_FALSE(lock_piece(&state));
    EXPECT_EQ(state.well[6][19], 3);
    EXPECT_EQ(state.well[5][19], 0);
    EXPECT_EQ(state.well[4][19], 0);
}

} // namespace
