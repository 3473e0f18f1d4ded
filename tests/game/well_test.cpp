#include "well.h"

#include <gtest/gtest.h>

#include <string>

// The filled cells as "dc,dr" from the pivot, by column and then row.
static std::string cells(const PieceCells &piece) {
    std::string out;
    for (int i = 0; i < 5; i++)
        for (int j = 0; j < 5; j++)
            if (piece.cell[i][j])
                out +=
                    (out.empty() ? "" : " ") + std::to_string(i - 2) + "," + std::to_string(j - 2);
    return out;
}

// Every shape as dealt and after each turn; the fourth brings it back.
TEST(Well, EveryShapeInEveryTurn) {
    const char *turns[SHAPE_COUNT][4] = {
        // clang-format off
        {"-1,0 0,0 1,0 2,0", "0,-2 0,-1 0,0 0,1", "-2,0 -1,0 0,0 1,0", "0,-1 0,0 0,1 0,2"},
        {"-1,-1 -1,0 0,-1 0,0", "-1,0 -1,1 0,0 0,1", "0,0 0,1 1,0 1,1", "0,-1 0,0 1,-1 1,0"},
        {"-1,0 -1,1 0,0 1,0", "0,-1 0,0 0,1 1,1", "-1,0 0,0 1,-1 1,0", "-1,-1 0,-1 0,0 0,1"},
        {"-1,-1 -1,0 0,0 1,0", "-1,1 0,-1 0,0 0,1", "-1,0 0,0 1,0 1,1", "0,-1 0,0 0,1 1,-1"},
        {"-1,0 0,0 0,1 1,0", "0,-1 0,0 0,1 1,0", "-1,0 0,-1 0,0 1,0", "-1,0 0,-1 0,0 0,1"},
        {"-1,0 0,0 0,1 1,1", "0,0 0,1 1,-1 1,0", "-1,-1 0,-1 0,0 1,0", "-1,0 -1,1 0,-1 0,0"},
        {"-1,0 0,-1 0,0 1,-1", "-1,-1 -1,0 0,0 0,1", "-1,1 0,0 0,1 1,0", "0,-1 0,0 1,0 1,1"},
        // clang-format on
    };
    for (int shape = 0; shape < SHAPE_COUNT; shape++) {
        PieceCells piece, turned;
        set_piece_shape(&piece, shape);
        for (int t = 0; t <= 4; t++) {
            EXPECT_EQ(cells(piece), turns[shape][t % 4])
                << "shape " << shape << ", " << t << " turns";
            rotate_piece_cells(&piece, &turned);
            piece = turned;
        }
    }
}
