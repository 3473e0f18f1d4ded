#include "stroketiles.h"

#include "../scratch_dir.h"

// Every tile of a lopsided style, as reviewed in tiles.txt, sampled at
// eighths: on the edges too.
TEST(StrokeTiles, EveryTileAsReviewed) {
    const TileStyle lopsided = {1, 1, 0.25f, 0.125f, 0.25f, 0.5f, 2, 1, 0};
    std::string drawn;
    for (int code = 0; code < 64; code++, drawn += "\n")
        for (int y = 0; y <= 8; y++, drawn += "\n")
            for (int x = 0; x <= 8; x++)
                drawn += ".#"[stroke_tile_covers(code, x / 8.0f, y / 8.0f, lopsided)];
    EXPECT_EQ(drawn, read_file(TILES_FILE)) << "tiles.txt";
}
