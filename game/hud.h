// The text overlay: score, rows, the pause and game-over messages, the
// exit prompt, and "Muted" in the corner while the player keeps it quiet.
#pragma once

#include <cstddef>

enum {
    HUD_WHITE = 0xFFFFFF,
    HUD_ROWS_BROWN = 0x704000,
    HUD_MESSAGE_GREY = 0x808080,
};

// The exit prompt at a given wall-clock time: its underscore shows in the
// second half of every second.
void format_exit_prompt(double now, char *text, size_t size);

// Draws the overlay for the game's current state, placed by the current
// window size; the exit prompt as it blinks at wall-clock time now.
void draw_hud(double now);
