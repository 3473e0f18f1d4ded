// Frame benchmark: drives the real frame code in the real window and prints
// frame-time percentiles for an empty well, a well with 15 settled rows and
// a bare clear-and-swap frame, and the start-up phases in milliseconds.
// It also counts the allocations the game's own frame work makes once the
// first frames are drawn, playing, paused and over; there must be none, and
// it fails when there are.
//
//     tests/with-xvfb build/frame_bench [frames]
//
// Under callgrind, only game_frame_work (the game's own work of one frame,
// GL calls included) is worth collecting:
//
//     valgrind --tool=callgrind --collect-atstart=no
//              --toggle-collect=game_frame_work build/frame_bench 100
#include <GL/gl.h>
#include <algorithm>
#include <atomic>
#include <dlfcn.h>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "background.h"
#include "bitmapfonts.h"
#include "builtin_font.h"
#include "clock.h"
#include "driver.h"
#include "events.h"
#include "hud.h"
#include "rules.h"
#include "scene.h"
#include "sound.h"
#include "textures.h"
#include "view.h"
#include "well.h"
#include "window.h"

// Every allocation made from this executable's code (all of this project's
// code is linked into it) is counted while counting is on; the GL driver's
// buffers are its own.
extern "C" void *__libc_malloc(size_t);
extern "C" void *__libc_calloc(size_t, size_t);
extern "C" void *__libc_realloc(void *, size_t);
static std::atomic<long> allocations;
static std::atomic<bool> counting;
static void *own_code;
static void count_if_ours(void *caller) {
    Dl_info info;
    if (counting && dladdr(caller, &info) && info.dli_fbase == own_code) allocations++;
}
extern "C" __attribute__((noinline)) void *malloc(size_t n) {
    return count_if_ours(__builtin_return_address(0)), __libc_malloc(n);
}
extern "C" __attribute__((noinline)) void *calloc(size_t n, size_t m) {
    return count_if_ours(__builtin_return_address(0)), __libc_calloc(n, m);
}
extern "C" __attribute__((noinline)) void *realloc(void *p, size_t n) {
    return count_if_ours(__builtin_return_address(0)), __libc_realloc(p, n);
}

static double milliseconds_since(double start) {
    return (monotonic_seconds() - start) * 1000;
}

// Everything the game itself does in a frame before handing it to the
// driver, a sound started included, its allocations counted.
static void frame_work(double dt, double fall_speed) {
    counting = true;
    update_view(dt);
    play_frame(&game, key_down, key_was_down, dt, fall_speed);
    game.events.stepped = true; // a sound to start every frame
    sound_frame(&game);
    draw_frame(dt, 0.0);
    counting = false;
}

// The frames callgrind collects (tools/callgrind_frames): the timed game
// frames, and only those.
extern "C" __attribute__((noinline)) void game_frame_work(double dt, double fall_speed) {
    frame_work(dt, fall_speed);
}

static void present() {
    glFinish();
    SDL_GL_SwapWindow(main_window);
    clear_for_next_frame();
    pump_events();
}

struct Percentiles {
    double median, p95, p99;
};

static Percentiles percentiles(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    auto at = [&](double q) { return times[(size_t)(q * (times.size() - 1))]; };
    return {at(0.5), at(0.95), at(0.99)};
}

static Percentiles run_frames(int frames, bool game_frame) {
    std::vector<double> times;
    double previous = monotonic_seconds();
    for (int i = 0; i < frames + 10; i++) {
        double start = monotonic_seconds();
        if (game_frame) {
            // Keep the piece above the settled rows, never settling, so that
            // every frame draws the same scene and no game ends.
            if (game.piece_height < 18.5) game.piece_height = SPAWN_HEIGHT;
            game_frame_work(start - previous, fall_speed_at(start - game.start_time));
        }
        present();
        previous = start;
        if (i >= 10) times.push_back(milliseconds_since(start));
    }
    return percentiles(times);
}

// Untimed and uncollected frames for the allocation count: its warm-up, and
// the paused and finished games.
static void run_counted_frames(int frames, PlayState state) {
    game.play_state = state;
    for (int i = 0; i < frames; i++) frame_work(1.0 / 60, 1.0), present();
}

static void fill_settled_rows(int rows) {
    for (int r = 1; r <= rows; r++)
        for (int c = 1; c < WELL_COLUMNS; c++) game.well[c][r] = 1 + (r + c) % 7;
}

struct StartupTimes {
    double font_ms, textures_ms, well_ms;
};

// The game's start-up work after the window is open. The first run in a
// process also pays for the driver's one-time work: llvmpipe compiles its
// mipmap shaders the first time glGenerateMipmap meets each pixel format.
// A second run shows the game's own share.
static StartupTimes build_startup_objects(const char *font_name) {
    StartupTimes times;
    double t = monotonic_seconds();
    uint32_t length;
    uint8_t *font = unpack_builtin_font(&length);
    load_font_data(font, length, font_name);
    free(font);
    times.font_ms = milliseconds_since(t);
    t = monotonic_seconds();
    make_game_textures(&game);
    times.textures_ms = milliseconds_since(t);
    t = monotonic_seconds();
    int32_t **previous_well = game.well;
    game.well = create_well();
    game.piece_colour = first_piece_colour();
    new_piece_shape(&game.piece);
    times.well_ms = milliseconds_since(t);
    if (previous_well) {
        for (int c = 0; c < WELL_COLUMNS; c++) free(previous_well[c]);
        free(previous_well);
    }
    return times;
}

int main(int argc, char **argv) {
    Dl_info self;
    if (dladdr((void *)&draw_scene, &self)) own_code = self.dli_fbase;
    counting = true;
    void *volatile probe = malloc(16);
    counting = false;
    free(probe);
    if (allocations != 1) {
        fprintf(stderr, "frame_bench: the allocation counter does not see this program's own\n");
        return 1;
    }
    int frames = argc > 1 ? atoi(argv[1]) : 300;
    double t = monotonic_seconds();
    mode_2d = false;
    if (!open_graphics_window(0, 0, "Vorlanx [Quillmark] benchmark")) {
        fprintf(stderr, "frame_bench: %s\n", window_error);
        return 1;
    }
    double sdl_gl = milliseconds_since(t);
    // Its effects are made beside the start-up, as in the game; they are
    // made long before any allocation is counted.
    start_sound();
    StartupTimes cold = build_startup_objects("normal");
    GLuint first_textures[2] = {game.wall_texture, game.block_texture};
    StartupTimes warm = build_startup_objects("warm");
    glDeleteTextures(2, first_textures);
    set_start_values(&game, monotonic_seconds());
    pump_events();

    printf("window %dx%d, renderer %s\n", screen_width, screen_height,
           (const char *)glGetString(GL_RENDERER));
    printf("start-up: SDL and GL %.1f ms\n", sdl_gl);
    printf("  first in the process: font %.1f ms, textures %.1f ms, well %.2f ms\n", cold.font_ms,
           cold.textures_ms, cold.well_ms);
    printf("  driver warmed up:     font %.1f ms, textures %.1f ms, well %.2f ms\n", warm.font_ms,
           warm.textures_ms, warm.well_ms);

    Percentiles bare = run_frames(frames, false);
    run_counted_frames(10, PLAYING); // the first frames may set things up
    allocations = 0;
    Percentiles empty = run_frames(frames, true);
    fill_settled_rows(15);
    Percentiles full = run_frames(frames, true);
    long while_playing = allocations;
    run_counted_frames(frames / 4, PAUSED);
    long while_paused = allocations;
    // The game's end takes the memory for the kept picture of the scene, once.
    run_counted_frames(1, GAME_OVER);
    long at_the_end = allocations - while_paused;
    run_counted_frames(frames / 4, GAME_OVER);
    long after_the_game = allocations - at_the_end;
    printf("%-22s %8s %8s %8s\n", "frame times (ms)", "median", "p95", "p99");
    printf("%-22s %8.2f %8.2f %8.2f\n", "bare clear and swap", bare.median, bare.p95, bare.p99);
    printf("%-22s %8.2f %8.2f %8.2f\n", "empty well", empty.median, empty.p95, empty.p99);
    printf("%-22s %8.2f %8.2f %8.2f\n", "15 settled rows", full.median, full.p95, full.p99);
    printf("allocations in the game's frame work: %ld playing, %ld paused, %ld at the game's end, "
           "%ld after the game\n",
           while_playing, while_paused - while_playing, at_the_end, after_the_game - while_paused);
    stop_sound();
    return after_the_game == 0 ? 0 : 1;
}
