// Once the first frame is drawn, the game's frame work allocates nothing.
// While frames run, every allocation made from this project's code (all of
// it linked into this executable) is counted; the GL driver's own buffers
// are its business.
#include <atomic>
#include <cstddef>
#include <dlfcn.h>

#include "../support/gl/gl_helpers.h"
#include "background.h"
#include "driver.h"
#include "test_game.h"
#include "font_helpers.h"
#include "hud.h"
#include "rules.h"
#include "scene.h"
#include "textures.h"
#include "view.h"
#include "well.h"

extern "C" void *__libc_malloc(size_t);
extern "C" void *__libc_calloc(size_t, size_t);
extern "C" void *__libc_realloc(void *, size_t);

static std::atomic<long> allocations;
static std::atomic<bool> counting;
static void *own_code; // where this executable is loaded

static void count_if_ours(void *caller) {
    Dl_info info;
    if (counting && dladdr(caller, &info) && info.dli_fbase == own_code) allocations++;
}

extern "C" void *malloc(size_t n) {
    count_if_ours(__builtin_return_address(0));
    return __libc_malloc(n);
}
extern "C" void *calloc(size_t n, size_t size) {
    count_if_ours(__builtin_return_address(0));
    return __libc_calloc(n, size);
}
extern "C" void *realloc(void *p, size_t n) {
    count_if_ours(__builtin_return_address(0));
    return __libc_realloc(p, n);
}

namespace {

using FrameAllocations = WindowTest;

TEST_F(FrameAllocations, NoneInTheGamesFrameWork) {
    Dl_info self;
    ASSERT_TRUE(dladdr((void *)&draw_scene, &self));
    own_code = self.dli_fbase;
    // The counter does see this executable's allocations.
    counting = true;
    free(malloc(16));
    counting = false;
    ASSERT_EQ(allocations.load(), 1);

    forget_fonts();
    load_game_font();
    start_test_game(&game, 3, SHAPE_TEE);
    game.wall_texture = make_wall_texture();
    game.block_texture = make_block_texture();
    for (int r = 1; r < 12; r++)
        for (int c = 1; c < WELL_COLUMNS; c++) game.well[c][r] = 1 + (r + c) % 7;

    auto frame = [](bool count) {
        if (game.piece_height < 14.5) game.piece_height = SPAWN_HEIGHT;
        counting = count;
        update_view();
        play_frame(&game, key_down, key_was_down, 1.0 / 30, 1.0);
        draw_scene(1.0 / 30);
        draw_hud();
        counting = false;
        glFinish();
        SDL_GL_SwapWindow(main_window);
        clear_for_next_frame();
        pump_events();
    };
    for (int i = 0; i < 5; i++) frame(false); // the first frames may set things up
    allocations = 0;
    for (int i = 0; i < 300; i++) frame(true);
    EXPECT_EQ(allocations.load(), 0);
    EXPECT_EQ(game.play_state, PLAYING) << "the piece is kept from settling";
    // The same frames paused and over, with their messages and the prompt.
    game.play_state = PAUSED;
    for (int i = 0; i < 50; i++) frame(true);
    game.play_state = GAME_OVER;
    for (int i = 0; i < 50; i++) frame(true);
    EXPECT_EQ(allocations.load(), 0);
    free_test_well(&game);
    forget_fonts();
}

} // namespace
