#include "well.h"

#include <set>

#include "test_game.h"

using Cells = std::set<std::pair<int, int>>; // (dc, dr) offsets of the filled cells
static Cells offsets(const PieceCells &piece) {
    Cells cells;
    for (int i = 0; i < 25; i++)
        if (piece.cell[i / 5][i % 5]) cells.insert({i / 5 - 2, i % 5 - 2});
    return cells;
}

// Each shape as spawned (any other number: the last); a turn carries the
// high side below; four turns back.
TEST(Pieces, ShapesSpawnInTheirOrientationAndTurnTheHighSideDown) {
    // clang-format off
    const Cells spawned[SHAPE_COUNT + 2] = {
        {{-1, 0}, {0, 0}, {1, 0}, {2, 0}}, {{-1, -1}, {-1, 0}, {0, -1}, {0, 0}}, {{-1, 0}, {0, 0}, {1, 0}, {-1, 1}},
        {{-1, 0}, {0, 0}, {1, 0}, {-1, -1}}, {{-1, 0}, {0, 0}, {1, 0}, {0, 1}}, {{-1, 0}, {0, 0}, {0, 1}, {1, 1}},
        {{-1, 0}, {0, 0}, {0, -1}, {1, -1}}, {{0, 1}, {0, 0}, {0, -1}, {0, -2}}, {{-1, 1}, {-1, 0}, {0, 1}, {0, 0}}};
    // clang-format on
    PieceCells piece, a, b;
    for (int k = -1; k <= SHAPE_COUNT; k++) {
        int s = k < 0 || k == SHAPE_COUNT ? SHAPE_COUNT - 1 : k;
        set_piece_shape(&piece, k);
        rotate_piece_cells(&piece, &a);
        EXPECT_EQ(offsets(piece), spawned[s]) << "shape " << k << " spawned";
        if (s <= 1) {
            EXPECT_EQ(offsets(a), spawned[SHAPE_COUNT + s]) << "shape " << k << " turned";
        }
        rotate_piece_cells(&a, &b), rotate_piece_cells(&b, &a), rotate_piece_cells(&a, &b);
        EXPECT_EQ(offsets(b), spawned[s]) << "four turns, shape " << k;
    }
}
