// Once the first frames are drawn, the game's frame work allocates nothing.
// Every allocation made from this executable's code (all of this project's
// code is linked into it) is counted; the GL driver's buffers are its own.
#include <atomic>
#include <dlfcn.h>

#include "../support/gl/gl_helpers.h"
#include "background.h"
#include "hud.h"
#include "scene.h"
#include "test_game.h"
#include "textures.h"
#include "view.h"

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
// clang-format off
extern "C" void *malloc(size_t n) { return count_if_ours(__builtin_return_address(0)), __libc_malloc(n); }
extern "C" void *calloc(size_t n, size_t m) { return count_if_ours(__builtin_return_address(0)), __libc_calloc(n, m); }
extern "C" void *realloc(void *p, size_t n) { return count_if_ours(__builtin_return_address(0)), __libc_realloc(p, n); }
// clang-format on

using FrameAllocations = WindowTest;

TEST_F(FrameAllocations, NoneInTheGamesFrameWorkWhilePlayingPausedOrOver) {
    Dl_info self;
    ASSERT_TRUE(dladdr((void *)&draw_scene, &self));
    own_code = self.dli_fbase;
    counting = true, free(malloc(16)), counting = false;
    ASSERT_EQ(allocations.load(), 1) << "the counter sees this executable's allocations";
    forget_fonts();
    load_game_font();
    start_test_game(&game, 3, SHAPE_TEE);
    game.wall_texture = make_wall_texture();
    game.block_texture = make_block_texture();
    for (int i = 0; i < 19 * 11; i++) game.well[1 + i % 19][1 + i / 19] = 1 + i % 7;
    for (int i = 0; i < 405; i++) {
        if (i == 5) allocations = 0; // the first frames may set things up
        game.play_state = i < 305 ? PLAYING : i < 355 ? PAUSED : GAME_OVER;
        if (game.piece_height < 14.5) game.piece_height = SPAWN_HEIGHT; // never settles
        counting = true;
        update_view();
        play_frame(&game, key_down, key_was_down, 1.0 / 30, 1.0);
        draw_frame(1.0 / 30, 0.0);
        counting = false;
        glFinish();
        SDL_GL_SwapWindow(main_window);
        clear_for_next_frame();
        pump_events();
    }
    EXPECT_EQ(allocations.load(), 0);
    free_test_well(&game), forget_fonts();
}
