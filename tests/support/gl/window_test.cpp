#include "gl_helpers.h"

using Window = WindowTest;

// A display number past the displays means the first; the span of the
// first display or of all of them is that one display; no key is down; a
// height of 0 becomes 1; the pointer can be put back at the centre.
TEST_F(Window, DisplayNumbersAndSpansOfTheOneDisplay) {
    SDL_Rect d;
    SDL_GetDisplayBounds(0, &d);
    for (auto [width, number] : {std::pair{0, 1}, {0, 2}, {-1, 1}, {-1, 0}}) {
        close_graphics_window();
        key_down['q'] = key_was_down[KEY_ANY_CTRL] = 1;
        ASSERT_EQ(open_graphics_window(width, number, "t"), 1) << window_error;
        EXPECT_EQ(std::pair(screen_width, screen_height), std::pair(d.w, d.h))
            << width << " " << number;
        EXPECT_EQ(key_down['q'], 0) << "a new window: no key down";
        EXPECT_EQ(key_was_down[KEY_ANY_CTRL], 0) << "nor one down before";
    }
    set_view_size(640, 0);
    EXPECT_EQ(screen_height, 1) << "a height of 0";
    EXPECT_TRUE(pointer_warps()) << "X11 moves the pointer";
    SDL_Event key = {SDL_KEYDOWN}, left = {SDL_KEYDOWN};
    key.key.keysym = {SDL_SCANCODE_A, 0x444, 0, 0};
    left.key.keysym = {SDL_SCANCODE_LEFT, SDLK_LEFT, 0, 0};
    SDL_PushEvent(&key), SDL_PushEvent(&left), pump_events();
    EXPECT_EQ(key_down['a'], 1) << "a Cyrillic key: the letter in its place";
    EXPECT_EQ(key_down[208], 1) << "the left arrow";
}
