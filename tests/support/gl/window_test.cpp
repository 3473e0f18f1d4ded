#include "gl_helpers.h"

#include <SDL_syswm.h>
#include <X11/extensions/Xfixes.h>

using GraphicsWindow = WindowTest;

// Whether the X server draws the pointer: any pixel of its cursor not clear.
static bool pointer_shows() {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    SDL_GetWindowWMInfo(main_window, &info);
    XSync(info.info.x11.display, False);
    XFixesCursorImage *cursor = XFixesGetCursorImage(info.info.x11.display);
    bool shows = false;
    for (int i = 0; i < cursor->width * cursor->height; i++)
        shows = shows || cursor->pixels[i] >> 24;
    XFree(cursor);
    return shows;
}

// Keys, of other layouts too, find their slots; buttons hold until let go,
// the wheel for a pump; motion, absolute or relative; displays past the last
// mean the first; no pointer over the game; a new window is cleared.
TEST_F(GraphicsWindow, InputAndDisplays) {
    pixel_ratio = 2;
    SDL_Event resize = {
        .window = {SDL_WINDOWEVENT, 0, 0, SDL_WINDOWEVENT_SIZE_CHANGED, 0, 0, 0, 640, 0}};
    SDL_PushEvent(&resize);
    pump_events();
    EXPECT_EQ(screen_height, 1) << "a height of 0";
    const int keys[][3] = {{SDL_SCANCODE_A, 0x444, 'a'},
                           {SDL_SCANCODE_9, 0x2116, '9'},
                           {SDL_SCANCODE_0, 0x44F, '0'},
                           {SDL_SCANCODE_LALT, SDLK_LALT, KEY_ANY_ALT},
                           {SDL_SCANCODE_RSHIFT, SDLK_RSHIFT, KEY_ANY_SHIFT},
                           {SDL_SCANCODE_LCTRL, SDLK_LCTRL, KEY_ANY_CTRL}};
    for (auto [scancode, sym, slot] : keys) {
        SDL_Event key = {SDL_KEYDOWN};
        key.key.keysym = {(SDL_Scancode)scancode, sym, 0, 0};
        SDL_PushEvent(&key);
        pump_events();
        EXPECT_EQ(key_down[slot], 1) << "key " << sym;
    }
    const std::tuple<Uint32, Uint8, Sint32, uint32_t> mouse[] = {
        {SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X2, 0, MOUSE_OTHER},
        {SDL_MOUSEWHEEL, 0, -1, MOUSE_OTHER | MOUSE_WHEEL_DOWN},
        {SDL_MOUSEBUTTONUP, SDL_BUTTON_X2, 0, 0},
        {SDL_MOUSEWHEEL, 0, 1, MOUSE_WHEEL_UP},
        {SDL_MOUSEWHEEL, 0, 0, 0},
    };
    for (auto [type, button, wheel, held] : mouse) {
        SDL_Event e = {.button = {type, 0, 0, 0, button, type == SDL_MOUSEBUTTONDOWN, 0, 0, 0, 0}};
        e.wheel.y = wheel;
        SDL_PushEvent(&e);
        uint32_t before = mouse_buttons;
        pump_events();
        EXPECT_EQ(std::pair(mouse_buttons, mouse_buttons_prev), std::pair(held, before))
            << "mouse " << type << " " << wheel;
    }
    // Where the pointer cannot be put back, motion comes relative.
    for (SDL_bool relative : {SDL_FALSE, SDL_TRUE}) {
        ASSERT_EQ(SDL_SetRelativeMouseMode(relative), 0) << SDL_GetError();
        mouse_x = 100;
        mouse_y = 200;
        SDL_Event e = {.motion = {SDL_MOUSEMOTION, 0, 0, 0, 0, 30, 40, 5, 7}};
        SDL_PushEvent(&e);
        pump_events();
        EXPECT_EQ(std::pair(mouse_x, mouse_y), relative ? std::pair(105, 207) : std::pair(30, 40))
            << "relative " << relative;
    }
    EXPECT_EQ(pixel_ratio, 1.0) << "ratio";
    int w, h;
    SDL_GetWindowSize(main_window, &w, &h);
    pixel_ratio = 1.25;
    set_view_size(w, h);
    EXPECT_EQ(drawable_height, h) << "SDL's drawable";
    set_view_size(w + 1, h);
    refresh_pixel_ratio(); // back to SDL's 1
    EXPECT_EQ(drawable_width, w + 1) << "re-viewed";
    EXPECT_EQ(key_was_down['a'], 1) << "held on";
    close_graphics_window();
    open_graphics_window(16385, 1, "t"); // wider than SDL allows
    EXPECT_TRUE(strstr(window_error, "create the window")) << window_error;
    // with-xvfb's monitors: 1280 x 1024 at 75 Hz, 1024 x 768 at 24 Hz lower down.
    for (auto [width, number, w, h, hz] : {
             std::tuple{0, 1, 1280, 1024, 75},
             {0, 2, 1024, 768, 24},
             {0, 9, 1280, 1024, 75},
             {-1, 1, 1280, 1024, 75},
             {-1, 0, 2304, 1068, 75},
         }) {
        close_graphics_window();
        ASSERT_EQ(open_graphics_window(width, number, "t"), 1) << window_error;
        EXPECT_EQ(std::tuple(screen_width, screen_height, display_refresh_period()),
                  std::tuple(w, h, 1.0 / hz))
            << width << " " << number;
    }
    EXPECT_STREQ(window_error, "") << "stale";
    EXPECT_FALSE(pointer_shows()) << "a pointer over the game";
    EXPECT_EQ(key_down['a'], 0) << "reopened";
    std::array<uint8_t, 4> rgba{1};
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    EXPECT_EQ(rgba, decltype(rgba){}) << "new, cleared";
}
