#include "well.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

// Across the seam, a piece fits beside a block in or round its box, not on it.
static void expect_fits_its_cells(const PieceCells &piece, int shape, int turns) {
    int32_t **well = create_well();
    for (int x = -1; x < 6; x++)
        for (int y = -1; y < 6; y++) {
            int32_t *block = &well[wrap_column(x - 2)][8 + y];
            *block = 1;
            bool on_it = x >= 0 && x < 5 && y >= 0 && y < 5 && piece.cell[x][y];
            EXPECT_EQ(piece_fits(well, &piece, 0, 10), !on_it)
                << "shape " << shape << ", " << turns << " turns, a block at " << x << " " << y;
            *block = 0;
        }
    free_well(well);
}

// Every shape in every turn, as reviewed in shapes.txt: columns left to
// right, rows bottom up, the pivot in the middle; a number past either end
// deals the last.
TEST(Well, EveryShapeInEveryTurn) {
    std::string drawn;
    for (int shape = -1; shape <= SHAPE_COUNT; shape++) {
        PieceCells turns[5];
        set_piece_shape(&turns[0], shape);
        for (int t = 0; t < 4; t++) {
            expect_fits_its_cells(turns[t], shape, t);
            rotate_piece_cells(&turns[t], &turns[t + 1]);
        }
        for (int j = 4; j >= 0; j--, drawn += "\n")
            for (int t = 0; t < 4; t++)
                for (int i = 0; i < 5; i++)
                    drawn += (t && !i ? " " : "") + std::string(1, ".#"[turns[t].cell[i][j]]);
        drawn += "\n";
    }
    std::ifstream reviewed(SHAPES_FILE);
    EXPECT_EQ(drawn, std::string(std::istreambuf_iterator<char>(reviewed), {}));
}
