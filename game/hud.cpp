#include "hud.h"

#include <cmath>
#include <cstdio>

#include "bitmapfonts.h"
#include "game_state.h"
#include "text.h"
#include "window.h"

void format_exit_prompt(double now, char *text, size_t size) {
    const char *cursor = std::fmod(now, 1.0) < 0.5 ? "" : "_";
    snprintf(text, size, "Press Q or Escape to exit%s", cursor);
}

static void draw_line(const char *text, uint32_t colour, float x, float y) {
    begin_text();
    draw_text(text, colour, x, y, 0, 0);
    end_text();
}

// A word at half the size of the rest, a quiet note in the corner; the
// size goes back after it, as the font chosen stays chosen.
static const char MUTED[] = {
    TEXT_ESC_CONTROL, CTRL_SET_SIZE, (char)0x80, 0, 0, 0, 'M', 'u', 't', 'e', 'd',
    TEXT_ESC_CONTROL, CTRL_SET_SIZE, 0,          1, 0, 0,
};

void draw_hud(double now) {
    char text[64];
    snprintf(text, sizeof text, "%d", game.score);
    draw_line(text, HUD_WHITE, (float)screen_width - text_width(text), 0);

    snprintf(text, sizeof text, "Rows: %d", game.rows_cleared);
    draw_line(text, HUD_ROWS_BROWN, 0, 0);

    if (game.play_state != PLAYING) {
        const char *message = game.play_state == PAUSED ? "Paused" : "GAME OVER";
        int y = (screen_height - text_line_height) / 2;
        draw_line(message, HUD_MESSAGE_GREY, (screen_width - text_width(message)) * 0.5f, (float)y);
    }
    if (game.muted) {
        float x = (float)screen_width - text_width_n(MUTED, sizeof MUTED);
        begin_text();
        draw_text_n(MUTED, sizeof MUTED, HUD_MESSAGE_GREY, x,
                    (float)screen_height - text_line_height / 2.0f, 0, 0);
        end_text();
    }
    if (game.play_state == GAME_OVER) {
        format_exit_prompt(now, text, sizeof text);
        draw_line(text, HUD_WHITE, 0, (float)(screen_height - text_line_height));
    }
}
