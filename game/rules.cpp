#include "rules.h"

#include "keystate.h"
#include "scorelog.h"
#include "well.h"

static bool any_pressed(const uint8_t *keys, const uint8_t *before, const int *which, int n) {
    for (int k = 0; k < n; k++)
        if (key_pressed(keys, before, which[k])) return true;
    return false;
}

int remove_full_rows(int32_t **well) {
    int count = 0;
    int r = 0;
    while (r < WELL_ROWS) {
        bool full = true;
        for (int c = 0; c < WELL_COLUMNS && full; c++) full = well[c][r] >= 1;
        if (!full) {
            r++;
            continue;
        }
        count++;
        for (int c = 0; c < WELL_COLUMNS; c++) {
            for (int s = r + 1; s < WELL_ROWS; s++) well[c][s - 1] = well[c][s];
            well[c][WELL_ROWS - 1] = 0;
        }
        // The rows that came down may be full too: test row r again.
    }
    return count;
}

int points_for_rows(int count) {
    int points = count > 0 ? 1 : 0;
    for (int k = 1; k < count; k++) points *= 5;
    return points;
}

// Lowers the piece by the frame's fall, one whole row at a time, so that no
// frame is long enough to carry it through a block or the floor.  Returns
// false when a descent into a new row was refused: the piece has settled on
// the lowest row it could enter.  A piece spawned over settled blocks cannot
// leave them downwards either: it settles where it stands.
static bool fall(GameState *state, double distance) {
    double target = state->piece_height - distance;
    int row = whole_row(state->piece_height);
    int target_row = whole_row(target);
    if (target_row < row && !piece_fits(state->well, &state->piece, state->piece_column, row))
        return false;
    for (int r = row - 1; r >= target_row; r--) {
        if (!piece_fits(state->well, &state->piece, state->piece_column, r)) {
            if (r + 1 < row) state->piece_height = r + 1;
            return false;
        }
    }
    state->piece_height = target;
    return true;
}

static void settle(GameState *state) {
    state->events.settled = true;
    if (!lock_piece(state)) {
        state->play_state = GAME_OVER;
        state->events.ended = true;
        // Saved at once, before this lock's rows are counted: the line holds
        // the game as it stood when the piece overflowed.
        start_saving_score_line(state->score, state->rows_cleared);
    }
    int removed = remove_full_rows(state->well);
    state->events.rows_removed = removed;
    state->rows_cleared += removed;
    state->score += points_for_rows(removed);
    spawn_next_piece(state);
}

static void game_step(GameState *state, const uint8_t *keys, const uint8_t *before, double dt,
                      double fall_speed) {
    static const int LOWER[] = {KEY_LEFT, KEY_A};
    static const int HIGHER[] = {KEY_RIGHT, KEY_D};
    static const int TURN[] = {KEY_SPACE, KEY_W, KEY_UP, KEY_ANY_CTRL};

    FrameEvents *events = &state->events;
    if (any_pressed(keys, before, LOWER, 2) && try_step(state, -1)) events->stepped = true;
    if (any_pressed(keys, before, HIGHER, 2) && try_step(state, +1)) events->stepped = true;
    if (any_pressed(keys, before, TURN, 4) && try_turn(state)) events->turned = true;

    double boost = (keys[KEY_DOWN] || keys[KEY_S]) ? 5.0 : 1.0;
    if (dt < 0) dt = 0;
    if (!fall(state, dt * fall_speed * boost)) settle(state);
}

void play_frame(GameState *state, const uint8_t *keys, const uint8_t *keys_before, double dt,
                double fall_speed) {
    state->events = {};
    // Sound is the player's to silence in any state.
    if (key_pressed(keys, keys_before, KEY_M)) state->muted = !state->muted;
    bool pause_request = key_pressed(keys, keys_before, KEY_P) &&
                         (state->play_state == PLAYING || state->play_state == PAUSED);
    // Back never throws a game away, and a player whose controller went has
    // lost their hands: both only pause.
    if (state->play_state == PLAYING && (key_pressed(keys, keys_before, KEY_PAD_BACK) ||
                                         key_pressed(keys, keys_before, KEY_PAD_UNPLUGGED)))
        pause_request = true;
    if (state->play_state == PLAYING && !pause_request) {
        game_step(state, keys, keys_before, dt, fall_speed);
    } else if (state->play_state == PAUSED && pause_request) {
        // The resume frame plays, but no time has passed in it.
        state->play_state = PLAYING;
        state->events.resumed = true;
        game_step(state, keys, keys_before, 0.0, fall_speed);
    } else if (pause_request) {
        state->play_state = PAUSED;
        state->events.paused = true;
    }
}
