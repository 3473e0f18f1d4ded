// The per-run game record and the names shared across the game's units.
#pragma once

#include <cstdint>

enum {
    WELL_COLUMNS = 20,
    WELL_ROWS = 20,
    FLOOR_CELL = -1, // row 0 of every column, for the whole run
};

const double SPAWN_HEIGHT = 20.0;

enum PlayState { PLAYING = 0, PAUSED = 1, GAME_OVER = 2 };

// The falling piece's shape: cell[i][j], i the piece column, j the piece row
// growing upward; the pivot [2][2] is always filled and is the piece's
// position.  Cells are 1 when filled.
struct PieceCells {
    int32_t cell[5][5];
};

// What the last frame of play did, for the sound to answer.
struct FrameEvents {
    bool stepped;     // the piece moved a column
    bool turned;      // the piece turned
    bool settled;     // a piece came to rest
    int rows_removed; // full rings that went with it
    bool paused;      // the game paused
    bool resumed;     // and went on again
    bool ended;       // the piece that settled ended the game
};

struct GameState {
    // 20 column arrays of 20 cells, row 0 at the bottom: 0 empty, FLOOR_CELL,
    // or 1..7 the colour index of a settled block.
    int32_t **well;

    PieceCells piece;
    int piece_colour;    // 1..7: bit 0 red, bit 1 green, bit 2 blue
    int piece_column;    // well column of the pivot, 0..19
    double piece_height; // continuous height of the pivot, in rows

    PlayState play_state;
    FrameEvents events;
    bool muted; // the player silenced the game
    int score;
    int rows_cleared;

    int fov_degrees;
    double view_yaw;      // radians
    double view_pitch;    // radians, within -1.3..1.3
    double camera_height; // world units

    double start_time; // monotonic seconds
    double previous_frame_time;

    uint32_t wall_texture;
    uint32_t block_texture;
};

// The one game of this run, owned by the driver.
extern GameState game;
