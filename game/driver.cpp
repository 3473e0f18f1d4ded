#include "driver.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "background.h"
#include "bitmap.h"
#include "bitmapfonts.h"
#include "builtin_font.h"
#include "clock.h"
#include "embedded.h"
#include "events.h"
#include "hud.h"
#include "kept_scene.h"
#include "pacing.h"
#include "pads.h"
#include "report.h"
#include "rest.h"
#include "rules.h"
#include "scene.h"
#include "scorelog.h"
#include "sound.h"
#include "textures.h"
#include "view.h"
#include "well.h"
#include "window.h"

GameState game;

static const char WINDOW_TITLE[] = "Vorlanx [Quillmark]";
// The name of the desktop entry, so that docks pair the window with it.
static const char WINDOW_CLASS[] = "org.spinwell.Spinwell";
// Longest wait for events while the window is minimised or hidden.
static const int UNSEEN_WAIT_MS = 40;

void set_start_values(GameState *state, double now) {
    state->piece_column = 0;
    state->piece_height = SPAWN_HEIGHT;
    state->play_state = PLAYING;
    state->events = {};
    state->muted = false;
    state->score = 0;
    state->rows_cleared = 0;
    state->fov_degrees = 90;
    state->view_yaw = M_PI / 2;
    state->view_pitch = 0.0;
    state->camera_height = 10.0;
    state->start_time = now;
    state->previous_frame_time = now;
}

void draw_frame(double dt, double now, bool scene_unchanged) {
    if (!(scene_unchanged && game.play_state == GAME_OVER && show_kept_scene())) {
        draw_scene(dt);
        if (game.play_state == GAME_OVER) keep_scene_picture();
    }
    draw_hud(now);
    glFinish();
}

// Back quits only a game already paused or over: while playing it pauses.
static bool quit_requested() {
    return key_down[KEY_Q] || key_down[KEY_ESCAPE] ||
           (key_pressed(key_down, key_was_down, KEY_PAD_BACK) && game.play_state != PLAYING);
}

// A frame's look turns by at most this much time, so that the first frame
// after a rest's long wait does not spin the view.
static const double LONGEST_LOOK_SECONDS = 0.1;

void map_pad_controls() {
    static const struct {
        SDL_GameControllerButton button;
        int16_t slot;
    } buttons[] = {
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, KEY_LEFT},
        {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, KEY_RIGHT},
        {SDL_CONTROLLER_BUTTON_A, KEY_UP},
        {SDL_CONTROLLER_BUTTON_B, KEY_UP},
        {SDL_CONTROLLER_BUTTON_DPAD_UP, KEY_UP},
        {SDL_CONTROLLER_BUTTON_DPAD_DOWN, KEY_DOWN},
        {SDL_CONTROLLER_BUTTON_START, KEY_P},
        {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, KEY_KP_PLUS},
        {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, KEY_KP_MINUS},
        {SDL_CONTROLLER_BUTTON_BACK, KEY_PAD_BACK},
        {SDL_CONTROLLER_BUTTON_Y, KEY_M},
    };
    for (auto b : buttons) pad_button_slots[b.button] = b.slot;
    pad_stick_slots[PAD_STICK_LEFT] = KEY_LEFT;
    pad_stick_slots[PAD_STICK_RIGHT] = KEY_RIGHT;
    pad_stick_slots[PAD_STICK_DOWN] = KEY_DOWN;
    pad_unplugged_slot = KEY_PAD_UNPLUGGED;
}

static FramePacer pacer;
// The game as the last frame drawn showed it, and the wall-clock time then.
static GameState shown;
static double shown_at;

bool run_frame(bool *sdl_shut_down) {
    double now = monotonic_seconds();
    double fall_speed = fall_speed_at(now - game.start_time);
    double dt = 0.0;
    if (game.play_state == PLAYING && now > game.previous_frame_time)
        dt = now - game.previous_frame_time;

    update_view(std::min(now - game.previous_frame_time, LONGEST_LOOK_SECONDS));
    play_frame(&game, key_down, key_was_down, dt, fall_speed);
    sound_frame(&game);
    // A player who paused or whose game ended may walk away: the screen may
    // sleep then, never while playing.
    allow_screen_saver(game.play_state != PLAYING);
    double wall_clock = realtime_seconds();
    if (window_unseen()) {
        // Nobody sees a frame: the game goes on at its own pace, but the loop
        // waits for events instead of drawing.
        follow_piece(dt);
        glLoadIdentity();
        wait_for_events(UNSEEN_WAIT_MS);
    } else if (!frame_due(&shown, shown_at, &game, wall_clock, window_needs_redraw)) {
        // At rest and nothing changed: the picture on screen stays until an
        // event comes or the prompt blinks.
        glLoadIdentity();
        wait_for_events((int)std::ceil(seconds_until_due(&game, wall_clock) * 1000));
    } else {
        draw_frame(dt, wall_clock, scene_unchanged(&shown, &game, window_needs_redraw));
        SDL_GL_SwapWindow(main_window);
        shown = game;
        shown_at = wall_clock;
        window_needs_redraw = false;
        // No more frames than the display shows, where the swap does not
        // wait for it; taps still count, latched until the next pump.
        pacer.period = display_refresh_period();
        sleep_until_monotonic(next_frame_start(&pacer, monotonic_seconds()));
        clear_for_next_frame();
    }

    if (pump_events()) {
        *sdl_shut_down = true;
        return false;
    }
    if (quit_requested()) return false;
    game.previous_frame_time = now;
    return true;
}

int run_game(int, char **, const char *) {
    mode_2d = false;
    window_class = WINDOW_CLASS;
    map_pad_controls();
    if (!open_graphics_window(0, 0, WINDOW_TITLE)) {
        fprintf(stderr, "spinwell: cannot open the game window: %s\n", window_error);
        return 1;
    }

    Bitmap icon = decode_bmp(icon_bmp, icon_bmp_size);
    set_window_icon(&icon);
    release_bitmap(&icon);

    // Beside the rest of the start-up, never before the first frame.
    start_sound();
    load_builtin_font();

    make_game_textures(&game);

    game.well = create_well();
    deal_first_piece(&game);

    SDL_WarpMouseInWindow(main_window, screen_width / 2, screen_height / 2);
    double now = monotonic_seconds();

    if (screen_width == 0)
        report_inner("spinwell", 121, REPORT_FATAL,
                     "GRAPHICS() macro not called at LOOP start, or no resolution specified", 0);

    // A close request already waiting ends the run before anything is drawn
    // on a shut-down SDL.
    if (pump_events()) return 0;
    set_start_values(&game, now);

    bool sdl_shut_down = false;
    while (run_frame(&sdl_shut_down)) {
    }
    // SDL takes its signal handlers down with the window: from here a stop
    // signal gives up a waiting score line, saying so, not the game unheard.
    catch_stop_signals();

    // A quit request took the context down with SDL; its textures went too.
    if (!sdl_shut_down) {
        glDeleteTextures(1, &game.wall_texture);
        glDeleteTextures(1, &game.block_texture);
        // The player asked to go: the window goes at once, whatever the
        // score line is waiting for.
        close_graphics_window();
    }
    stop_sound();
    free_well(game.well);
    // A line still waiting for its turn is saved, or given up, first.
    finish_saving_score_line();
    return 0;
}
