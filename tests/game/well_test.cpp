#include "well.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <string>

// Across the seam in a well full but for its cells, a piece fits unless a
// cell of it gets a block, or a block round it goes.
static void expect_fits_its_cells(const PieceCells &piece, int shape, int turns) {
    int32_t **well = create_well();
    for (int c = 0; c < WELL_COLUMNS; c++) std::fill(well[c], well[c] + WELL_ROWS, 1);
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

// Every shape as dealt and after each of three turns, side by side, as
// reviewed in shapes.txt: columns left to right, rows bottom up, the pivot in
// the middle.  A fourth turn brings it back.
TEST(Well, EveryShapeInEveryTurn) {
    std::string drawn;
    for (int shape = 0; shape < SHAPE_COUNT; shape++) {
        PieceCells turns[5];
        set_piece_shape(&turns[0], shape);
        for (int t = 0; t < 4; t++) {
            expect_fits_its_cells(turns[t], shape, t);
            rotate_piece_cells(&turns[t], &turns[t + 1]);
        }
        EXPECT_EQ(memcmp(&turns[4], &turns[0], sizeof *turns), 0) << "shape " << shape;
        for (int j = 4; j >= 0; j--, drawn += "\n")
            for (int t = 0; t < 4; t++)
                for (int i = 0; i < 5; i++)
                    drawn += (t && !i ? " " : "") + std::string(1, ".#"[turns[t].cell[i][j]]);
        drawn += "\n";
    }
    std::ifstream reviewed(SHAPES_FILE);
    EXPECT_EQ(drawn, std::string(std::istreambuf_iterator<char>(reviewed), {}));
}
