#include "rules.h"

#include "scorelog.h"
#include "sound_names.h"
#include "test_game.h"

using Rules = PlayTest;

static std::string heard(const FrameEvents &e) {
    SoundEffect effects[MOST_FRAME_EFFECTS];
    std::string names;
    for (int k = 0, n = effects_for_events(&e, effects); k < n; k++)
        names += std::string(SOUND_NAMES[effects[k]]) + " ";
    return names;
}

TEST_F(Rules, FramesFallStepTurnAndPauseAsTheKeysSay) {
    const struct {
        double dt, speed;
        std::initializer_list<int> held;
        PlayState state;
        int column;
        double height;
        const char *heard;
    } frames[] = {
        {0.5, 2, {}, PLAYING, 0, 19.0, ""},
        {0.1, 1, {KEY_S}, PLAYING, 0, 18.5, ""},
        {0.1, 1, {KEY_DOWN}, PLAYING, 0, 18.0, ""},
        {0, 1, {KEY_LEFT}, PLAYING, 19, 18, "step "},
        {0, 1, {KEY_LEFT}, PLAYING, 19, 18, ""}, // held: no repeat
        {0, 1, {KEY_D}, PLAYING, 0, 18, "step "},
        {0, 1, {KEY_A}, PLAYING, 19, 18, "step "},
        {0, 1, {KEY_SPACE}, PLAYING, 19, 18, "turn "},
        {0, 1, {KEY_W}, PLAYING, 19, 18, "turn "},
        {0, 1, {KEY_UP}, PLAYING, 19, 18, "turn "},
        {0, 1, {KEY_ANY_CTRL}, PLAYING, 19, 18, "turn "},
        {0.1, 1, {KEY_PAD_BACK}, PAUSED, 19, 18, "pause "},
        {1, 1, {KEY_LEFT, KEY_SPACE, KEY_S, KEY_M}, PAUSED, 19, 18, ""},
        // the resume frame plays, no time passed
        {1, 1, {KEY_P, KEY_RIGHT}, PLAYING, 0, 18, "resume step "},
        {0.5, 1, {}, PLAYING, 0, 17.5, ""},
    };
    for (const auto &f : frames) {
        frame(f.dt, f.held, f.speed);
        EXPECT_EQ(std::tuple(state.play_state, state.piece_column, state.piece_height,
                             heard(state.events)),
                  std::tuple(f.state, f.column, f.height, std::string(f.heard)))
            << "frame " << &f - frames;
    }
    EXPECT_TRUE(state.muted) << "M while paused";
    PieceCells flat, upright;
    place(SHAPE_ROW_OF_FOUR, 10, 10.0);
    state.well[10][11] = 5; // where the turned piece's top cell would go
    state.well[8][10] = 5;  // and a step left
    flat = state.piece;
    frame(0, {KEY_UP, KEY_LEFT});
    EXPECT_EQ(memcmp(&state.piece, &flat, sizeof flat), 0) << "no room to turn";
    EXPECT_EQ(heard(state.events), "") << "a refused turn and step";
    frame(0, {KEY_RIGHT, KEY_SPACE}); // the step comes first; in column 11 the turn fits
    rotate_piece_cells(&flat, &upright);
    EXPECT_EQ(memcmp(&state.piece, &upright, sizeof upright), 0) << "turned after the step";
}

// A piece settles where a descent is refused; full rings go, scored by fives.
TEST_F(Rules, PiecesSettleAndFullRingsAreRemovedAndScored) {
    srand(1); // as if never seeded: every run deals alike
    for (auto [colour, next, shape] : {std::tuple{3, 4, SHAPE_HOOK_UP}, {7, 1, SHAPE_STEP_UP}}) {
        state.piece_colour = colour;
        place(SHAPE_SQUARE, 5, 3.3); // falls a row to rows 1 and 2, columns 4 and 5
        frame(0.5, {KEY_S});
        EXPECT_EQ(std::tuple(state.well[4][1], state.well[5][2], state.piece_colour,
                             state.piece_column, state.piece_height, state.score),
                  std::tuple(colour, colour, next, 5, SPAWN_HEIGHT, 0))
            << "settled in colour " << colour << "; the next piece, no points";
        PieceCells dealt;
        set_piece_shape(&dealt, shape);
        EXPECT_EQ(memcmp(&state.piece, &dealt, sizeof dealt), 0)
            << "the shape after colour " << colour;
        for (int c = 0; c < WELL_COLUMNS; c++) state.well[c][1] = state.well[c][2] = 0;
    }
    state.well[5][10] = 2;
    place(SHAPE_SQUARE, 5, 15.5);
    frame(3.0, {KEY_S}, 2.0); // 30 rows in one frame
    EXPECT_EQ(std::tuple(state.well[5][11], state.well[4][12], state.well[5][9]),
              std::tuple(1, 1, 0))
        << "settled on the block";
    free_well(state.well);
    start_test_game(&state, SHAPE_SQUARE);
    place(SHAPE_ROW_OF_FOUR, 1, 15.0, 2); // columns 19 to 2
    lock_piece(&state);
    EXPECT_EQ(std::pair(state.well[19][15], state.well[2][15]), std::pair(3, 3)) << "locked";
    fill_row(1, {5});
    fill_row(2, {5});
    fill_row(3, {5, 9});
    fill_row(19, {0});
    state.well[7][4] = 6;
    place(SHAPE_ROW_OF_FOUR, 5, 12.0, 1); // a column of four, pivot - 2 .. pivot + 1
    frame(20.0);                          // stops on the floor at pivot row 3
    EXPECT_EQ(std::tuple(state.score, state.rows_cleared, heard(state.events)),
              std::tuple(5, 2, "settle rows_2 "))
        << "two rows at once";
    EXPECT_EQ(std::tuple(filled_in_row(1), state.well[9][1], state.well[5][2], state.well[7][2],
                         filled_in_row(19)),
              std::tuple(19, 0, 3, 6, 0))
        << "the rows above came down by two";
}

// The final lock saves the game while the frames go on.
TEST_F(Rules, TheGameEndsWithOneScoreLineAndNothingMovesAfter) {
    state.score = 7;
    state.rows_cleared = 3;
    // Column 6, written first, completes row 18 before row 20 overflows.
    fill_row(18, {6});
    place(SHAPE_STEP_UP, 5, SPAWN_HEIGHT, 1);
    frame(1.0);
    frame(1.0);
    EXPECT_EQ(std::tuple(state.play_state, state.rows_cleared, state.score),
              std::tuple(GAME_OVER, 4, 8))
        << "the final lock's row counts";
    EXPECT_EQ(heard(state.events), "settle rows_1 game_over ") << "the final lock";
    finish_saving_score_line();
    std::string log = read_file("scores.txt");
    EXPECT_TRUE(RE::FullMatch(log, LOG_TIME "\t7\t3 rows\n")) << log;
    GameState over = state;
    over.events = {}; // the final lock's
    for (int key : {KEY_P, KEY_LEFT, KEY_RIGHT, KEY_SPACE}) {
        frame(0.5, {key, KEY_S});
        frame(0.5);
    }
    finish_saving_score_line();
    EXPECT_EQ(memcmp(&over, &state, sizeof state), 0) << "nothing moves after the game";
    EXPECT_EQ(read_file("scores.txt"), log) << "one line only";
}
