#include "well.h"

#include "../scratch_dir.h"

// Every shape in every turn, as reviewed in shapes.txt: where a block stops
// it, in and round its box across the seam, pivot in the middle, bottom row
// last; a number past either end deals the last.
TEST(Well, EveryShapeInEveryTurn) {
    int32_t **well = create_well();
    std::string drawn;
    for (int shape = -1; shape <= SHAPE_COUNT; shape++) {
        PieceCells turns[5];
        set_piece_shape(&turns[0], shape);
        for (int t = 0; t < 4; t++) rotate_piece_cells(&turns[t], &turns[t + 1]);
        for (int y = 5; y >= -1; y--, drawn += "\n")
            for (int t = 0; t < 4; t++)
                for (int x = -1; x < 6; x++) {
                    int32_t *block = &well[wrap_column(x - 2)][8 + y];
                    *block = 1;
                    if (t && x < 0) drawn += " ";
                    drawn += ".#"[!piece_fits(well, &turns[t], 0, 10)];
                    *block = 0;
                }
        drawn += "\n";
    }
    free_well(well);
    EXPECT_EQ(drawn, read_file(SHAPES_FILE)) << "shapes.txt";
}
