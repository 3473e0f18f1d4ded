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

// Across the seam among blocks round its cells, a piece fits unless one of its
// cells holds a block too, or a block round it is taken away.
static void expect_fits_its_cells(const PieceCells &piece, int shape, int turns) {
    int32_t **well = create_well();
    for (int i = 0; i < 25; i++)
        well[wrap_column(i / 5 - 2)][8 + i % 5] = !piece.cell[i / 5][i % 5];
    for (int i = 0; i < 25; i++) {
        int32_t *cell = &well[wrap_column(i / 5 - 2)][8 + i % 5];
        *cell = !*cell;
        EXPECT_EQ(piece_fits(well, &piece, 0, 10), !*cell)
            << "shape " << shape << ", " << turns << " turns, cell " << i << " changed";
        *cell = !*cell;
    }
    free_well(well);
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
            expect_fits_its_cells(piece, shape, t);
            rotate_piece_cells(&piece, &turned);
            piece = turned;
        }
    }
}
