#include "driver.h"

#include "../support/gl/gl_helpers.h"
#include "clock.h"
#include "test_game.h"

using FrameLoop = WindowTest;

// Through the real pump: pausing lets the screen sleep, resuming holds it
// off again.
TEST_F(FrameLoop, PausingAllowsTheScreenSaverAndResumingHoldsItOff) {
    forget_fonts(), load_builtin_font();
    start_test_game(&game, SHAPE_SQUARE);
    game.start_time = game.previous_frame_time = monotonic_seconds();
    bool shut_down = false;
    for (bool paused : {true, false}) {
        SDL_Event tap = {SDL_KEYDOWN};
        tap.key.keysym = {SDL_SCANCODE_P, SDLK_p, 0, 0};
        SDL_PushEvent(&tap);
        tap.type = SDL_KEYUP;
        SDL_PushEvent(&tap);
        run_frame(&shut_down); // the pump reads the tap
        run_frame(&shut_down); // the game step sees it
        EXPECT_EQ(SDL_IsScreenSaverEnabled(), paused) << (paused ? "paused" : "resumed");
    }
    free_well(game.well);
    forget_fonts();
}
