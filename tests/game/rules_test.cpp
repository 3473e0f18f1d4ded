#include "rules.h"

#include <algorithm>
#include <sys/stat.h>

#include "play_helpers.h"

namespace {

using Rules = PlayTest;

PieceCells turned(int shape) {
    PieceCells piece, result;
    set_piece_shape(&piece, shape);
    rotate_piece_cells(&piece, &result);
    return result;
}

TEST_F(Rules, GravityGrowsWithTimeSinceTheStart) {
    place(SHAPE_SQUARE, 0, SPAWN_HEIGHT);
    frame(0.5, {}, fall_speed_at(0.0));
    EXPECT_DOUBLE_EQ(state.piece_height, 19.5);
    EXPECT_DOUBLE_EQ(fall_speed_at(120.0), 2.0);
    frame(0.5, {}, fall_speed_at(120.0));
    EXPECT_DOUBLE_EQ(state.piece_height, 18.5);
}

TEST_F(Rules, DownOrSFallsFiveTimesAsFast) {
    place(SHAPE_SQUARE, 0, SPAWN_HEIGHT);
    frame(0.1, {KEY_S});
    EXPECT_NEAR(state.piece_height, 19.5, 1e-12);
    frame(0.1, {KEY_DOWN}); // held, not newly pressed: still counts
    EXPECT_NEAR(state.piece_height, 19.0, 1e-12);
}

TEST_F(Rules, PieceSettlesWhenADescentIsRefusedAndTheNextOneSpawns) {
    place(SHAPE_SQUARE, 5, 2.3); // cells in rows 1 and 2, columns 4 and 5
    frame(0.5, {KEY_S});         // would enter row 1 and hit the floor
    EXPECT_EQ(state.well[4][1], 3);
    EXPECT_EQ(state.well[5][1], 3);
    EXPECT_EQ(state.well[4][2], 3);
    EXPECT_EQ(state.well[5][2], 3);
    EXPECT_EQ(state.play_state, PLAYING);
    EXPECT_EQ(state.piece_column, 5);
    EXPECT_EQ(state.piece_height, SPAWN_HEIGHT);
    EXPECT_EQ(state.piece_colour, 4);
}

TEST_F(Rules, ColourCycleWrapsFromSevenToOne) {
    state.piece_colour = 7;
    place(SHAPE_SQUARE, 5, 2.3);
    frame(0.5);
    EXPECT_EQ(state.well[5][2], 7);
    EXPECT_EQ(state.piece_colour, 1);
}

TEST_F(Rules, StepKeysActOncePerPressAndWrapRoundTheRing) {
    place(SHAPE_TEE, 0, 10.5);
    frame(0, {KEY_LEFT});
    EXPECT_EQ(state.piece_column, 19);
    frame(0, {KEY_LEFT}); // held: no repeat
    EXPECT_EQ(state.piece_column, 19);
    frame(0, {KEY_D, KEY_RIGHT}); // two keys of one action: one step
    EXPECT_EQ(state.piece_column, 0);
    frame(0, {KEY_A});
    EXPECT_EQ(state.piece_column, 19);
    frame(0, {KEY_LEFT, KEY_RIGHT}); // both in one frame: back where it was
    EXPECT_EQ(state.piece_column, 19);
}

TEST_F(Rules, EveryTurnKeyTurnsOnce) {
    for (int key : {(int)KEY_SPACE, (int)KEY_W, (int)KEY_UP, (int)KEY_ANY_CTRL}) {
        place(SHAPE_TEE, 8, 10.5);
        frame(0, {});
        frame(0, {key});
        PieceCells expected = turned(SHAPE_TEE);
        EXPECT_EQ(memcmp(&state.piece, &expected, sizeof expected), 0) << "key " << key;
    }
    place(SHAPE_TEE, 8, 10.5);
    frame(0, {});
    frame(0, {KEY_SPACE, KEY_W, KEY_UP});
    PieceCells once = turned(SHAPE_TEE);
    EXPECT_EQ(memcmp(&state.piece, &once, sizeof once), 0);
}

TEST_F(Rules, TurnRefusedByABlockLeavesShapeAndColumn) {
    place(SHAPE_ROW_OF_FOUR, 10, 10.0);
    state.well[10][11] = 5; // where the turned piece's top cell would go
    PieceCells before_turn = state.piece;
    frame(0, {KEY_UP});
    EXPECT_EQ(memcmp(&state.piece, &before_turn, sizeof before_turn), 0);
    EXPECT_EQ(state.piece_column, 10);
}

TEST_F(Rules, StepThenTurnUsesTheNewColumn) {
    place(SHAPE_ROW_OF_FOUR, 10, 10.0);
    state.well[10][11] = 5; // blocks the turn in column 10 only
    frame(0, {KEY_RIGHT, KEY_SPACE});
    EXPECT_EQ(state.piece_column, 11);
    PieceCells expected = turned(SHAPE_ROW_OF_FOUR);
    EXPECT_EQ(memcmp(&state.piece, &expected, sizeof expected), 0);
}

TEST_F(Rules, TwoFullRingsWithAGapBetweenScoreFive) {
    fill_row(1, {5});
    fill_row(2, {5, 9});
    fill_row(3, {5});
    state.well[7][4] = 6;
    state.piece = turned(SHAPE_ROW_OF_FOUR); // a column of four, rows pivot-2 .. pivot+1
    state.piece_column = 5;
    state.piece_height = 12.0;
    frame(20.0); // a long frame: it still stops on the floor, at pivot row 3
    EXPECT_EQ(state.rows_cleared, 2);
    EXPECT_EQ(state.score, 5);
    // The middle row and what lay above came down by two.
    EXPECT_EQ(filled_in_row(1), 19);
    EXPECT_EQ(state.well[9][1], 0);
    EXPECT_EQ(state.well[5][1], 3);
    EXPECT_EQ(state.well[5][2], 3);
    EXPECT_EQ(state.well[7][2], 6);
    EXPECT_EQ(filled_in_row(3), 0);
}

TEST_F(Rules, FourRingsAtOnceScoreOneHundredTwentyFive) {
    for (int r = 1; r <= 4; r++) fill_row(r, {5});
    fill_row(5, {5, 6});
    state.piece = turned(SHAPE_ROW_OF_FOUR);
    state.piece_column = 5;
    state.piece_height = 12.0;
    frame(20.0, {KEY_S});
    EXPECT_EQ(state.rows_cleared, 4);
    EXPECT_EQ(state.score, 125);
    EXPECT_EQ(filled_in_row(1), 18); // row 5 came down to row 1
    for (int r = 2; r < WELL_ROWS; r++) EXPECT_EQ(filled_in_row(r), 0) << "row " << r;
}

TEST_F(Rules, RowsFillingUpOneAfterAnotherScoreSeparately) {
    EXPECT_EQ(points_for_rows(0), 0);
    EXPECT_EQ(points_for_rows(1), 1);
    EXPECT_EQ(points_for_rows(2), 5);
    EXPECT_EQ(points_for_rows(3), 25);
    fill_row(3);
    fill_row(4);
    state.well[0][5] = 2;
    EXPECT_EQ(remove_full_rows(state.well), 2); // row 3 is tested again after the drop
    EXPECT_EQ(state.well[0][3], 2);
    for (int c = 0; c < WELL_COLUMNS; c++) EXPECT_EQ(state.well[c][0], FLOOR_CELL);
}

TEST_F(Rules, ALongFrameNeverCarriesThePieceThroughABlock) {
    state.well[5][10] = 2;
    place(SHAPE_SQUARE, 5, 15.5); // columns 4 and 5, rows pivot-1 and pivot
    frame(3.0, {KEY_S}, 2.0);     // 30 rows in one frame
    EXPECT_EQ(state.well[5][10], 2);
    EXPECT_EQ(state.well[5][11], 3);
    EXPECT_EQ(state.well[5][12], 3);
    EXPECT_EQ(state.well[4][11], 3);
    EXPECT_EQ(state.well[4][12], 3);
    for (int r = 1; r < 10; r++) EXPECT_EQ(state.well[4][r], 0) << "row " << r;
    EXPECT_EQ(state.piece_height, SPAWN_HEIGHT);
}

TEST_F(Rules, ABackwardClockNeverLiftsThePiece) {
    place(SHAPE_SQUARE, 5, 10.5);
    frame(-5.0);
    EXPECT_EQ(state.piece_height, 10.5);
}

TEST_F(Rules, PauseFreezesThePieceAndResumesWithoutATimeJump) {
    place(SHAPE_SQUARE, 5, 15.5);
    frame(0.1, {KEY_P});
    EXPECT_EQ(state.play_state, PAUSED);
    EXPECT_EQ(state.piece_height, 15.5);
    frame(1.0, {KEY_LEFT, KEY_SPACE, KEY_S});
    EXPECT_EQ(state.piece_column, 5);
    EXPECT_EQ(state.piece_height, 15.5);
    frame(1.0, {KEY_P, KEY_RIGHT}); // the resume frame plays, with no time passed
    EXPECT_EQ(state.play_state, PLAYING);
    EXPECT_EQ(state.piece_column, 6);
    EXPECT_EQ(state.piece_height, 15.5);
    frame(0.5);
    EXPECT_EQ(state.piece_height, 15.0);
}

TEST_F(Rules, FinalLockSavesTheScoreBeforeItsOwnRowsCount) {
    state.score = 7;
    state.rows_cleared = 3;
    // A step turned upright: cells (0,1) (0,0) (1,0) (1,-1).  Column 5 row
    // 18 stops it at pivot row 19, where column 6 (visited first) completes
    // row 18 and then the cell in row 20 overflows.
    fill_row(18, {6});
    state.piece = turned(SHAPE_STEP_UP);
    state.piece_column = 5;
    state.piece_height = SPAWN_HEIGHT;
    frame(1.0);
    ASSERT_EQ(state.piece_height, 19.0);
    frame(1.0);
    EXPECT_EQ(state.play_state, GAME_OVER);
    EXPECT_EQ(state.rows_cleared, 4);
    EXPECT_EQ(state.score, 8);
    std::string log = read_file("scores.txt");
    EXPECT_TRUE(testing::internal::RE::FullMatch(log, "[^\t\n]+\t7\t3 rows\n")) << log;
    // A fresh piece stands at the spawn height and never moves again.
    EXPECT_EQ(state.piece_height, SPAWN_HEIGHT);
    GameState before_keys = state;
    for (int key : {KEY_P, KEY_LEFT, KEY_RIGHT, KEY_SPACE, KEY_W, KEY_UP}) {
        frame(0.5, {key, KEY_S});
        frame(0.5);
    }
    EXPECT_EQ(memcmp(&before_keys, &state, sizeof state), 0);
    EXPECT_EQ(read_file("scores.txt"), log);
}

TEST_F(Rules, GameOverIsReachedEvenWhenTheScoreCannotBeSaved) {
    ASSERT_EQ(mkdir("scores.txt", 0755), 0);
    place(SHAPE_TEE, 3, SPAWN_HEIGHT);
    fill_row(19, {}, 4);
    testing::internal::CaptureStderr();
    frame(1.0);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(state.play_state, GAME_OVER);
    EXPECT_NE(said.find("could not save the score"), std::string::npos) << said;
}

TEST_F(Rules, HoldingSFillsTheWellAndEndsTheGameWithOneLine) {
    srand(1);
    int frames = 0;
    while (state.play_state == PLAYING && frames < 100000) {
        frame(1.0 / 60, {KEY_S});
        frames++;
    }
    EXPECT_EQ(state.play_state, GAME_OVER);
    std::string log = read_file("scores.txt");
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1);
}

} // namespace
