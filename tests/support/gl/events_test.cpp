#include "gl_helpers.h"

#include <csignal>

namespace {

TEST(KeyIndex, CharactersKeepTheirCodeOthersGoPastTheScancode) {
    EXPECT_EQ(key_index(SDLK_ESCAPE), 27);
    EXPECT_EQ(key_index(SDLK_SPACE), 32);
    EXPECT_EQ(key_index(SDLK_a), 97);
    EXPECT_EQ(key_index(SDLK_z), 122);
    EXPECT_EQ(key_index(SDLK_RIGHT), 207);
    EXPECT_EQ(key_index(SDLK_UP), 210);
    EXPECT_EQ(key_index(SDLK_KP_MINUS), 214);
    EXPECT_EQ(key_index(SDLK_KP_PLUS), 215);
    EXPECT_EQ(key_index(SDLK_LCTRL), 352);
    EXPECT_EQ(key_index(SDLK_RALT), 358);
    EXPECT_EQ(key_index(SDLK_F14), 233); // shares a slot with the Latin-1 e-acute
}

class Pump : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        drain();
    }
    // Lets the X server's own start-up events through first.
    static void drain() {
        for (int i = 0; i < 5; i++) {
            SDL_Delay(10);
            pump_events();
        }
        pump_events();
    }
    static void push_key(Uint32 type, SDL_Keycode sym) {
        SDL_Event e = {};
        e.type = type;
        e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        e.key.keysym.sym = sym;
        ASSERT_EQ(SDL_PushEvent(&e), 1);
    }
    static void push_button(Uint8 button, Uint8 state) {
        SDL_Event e = {};
        e.type = state == SDL_PRESSED ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        e.button.button = button;
        e.button.state = state;
        ASSERT_EQ(SDL_PushEvent(&e), 1);
    }
    static void push_wheel(int y) {
        SDL_Event e = {};
        e.type = SDL_MOUSEWHEEL;
        e.wheel.y = y;
        ASSERT_EQ(SDL_PushEvent(&e), 1);
    }
};

TEST_F(Pump, KeyDownShowsAnEdgeForOnePumpOnly) {
    push_key(SDL_KEYDOWN, SDLK_LEFT);
    EXPECT_EQ(pump_events(), 0);
    EXPECT_TRUE(key_pressed(key_down, key_was_down, 208));
    push_key(SDL_KEYDOWN, SDLK_LEFT); // a key-repeat event
    pump_events();
    EXPECT_EQ(key_down[208], 1);
    EXPECT_FALSE(key_pressed(key_down, key_was_down, 208));
    push_key(SDL_KEYUP, SDLK_LEFT);
    pump_events();
    EXPECT_EQ(key_down[208], 0);
    EXPECT_EQ(key_was_down[208], 1);
}

TEST_F(Pump, APressAndReleaseBetweenPumpsIsNeverSeen) {
    push_key(SDL_KEYDOWN, SDLK_p);
    push_key(SDL_KEYUP, SDLK_p);
    pump_events();
    EXPECT_EQ(key_down['p'], 0);
    EXPECT_EQ(key_was_down['p'], 0);
}

TEST_F(Pump, EitherControlSetsTheCombinedSlot) {
    push_key(SDL_KEYDOWN, SDLK_RCTRL);
    pump_events();
    EXPECT_EQ(key_down[356], 1);
    EXPECT_EQ(key_down[KEY_ANY_CTRL], 1);
    EXPECT_EQ(key_was_down[KEY_ANY_CTRL], 0);
    EXPECT_EQ(key_down[KEY_ANY_SHIFT], 0);
    EXPECT_EQ(key_down[KEY_ANY_ALT], 0);
    pump_events();
    EXPECT_EQ(key_was_down[KEY_ANY_CTRL], 1);
    push_key(SDL_KEYDOWN, SDLK_LSHIFT);
    push_key(SDL_KEYDOWN, SDLK_RALT);
    push_key(SDL_KEYUP, SDLK_RCTRL);
    pump_events();
    EXPECT_EQ(key_down[KEY_ANY_CTRL], 0);
    EXPECT_EQ(key_down[KEY_ANY_SHIFT], 1);
    EXPECT_EQ(key_down[KEY_ANY_ALT], 1);
}

TEST_F(Pump, KeysBeyondTheTableAreDropped) {
    uint8_t before[KEY_SLOTS];
    pump_events();
    memcpy(before, key_down, sizeof before);
    push_key(SDL_KEYDOWN, 0x430);      // Cyrillic a
    push_key(SDL_KEYDOWN, 0x3FFFFFFF); // the largest character code
    push_key(SDL_KEYDOWN, -5);
    EXPECT_EQ(pump_events(), 0);
    EXPECT_EQ(memcmp(before, key_down, sizeof before), 0);
}

TEST_F(Pump, MouseMotionButtonsAndWheel) {
    SDL_Event e = {};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = 123;
    e.motion.y = 45;
    SDL_PushEvent(&e);
    push_button(SDL_BUTTON_LEFT, SDL_PRESSED);
    push_button(SDL_BUTTON_MIDDLE, SDL_PRESSED);
    push_button(SDL_BUTTON_X2, SDL_PRESSED);
    push_wheel(1);
    push_wheel(2);
    pump_events();
    EXPECT_EQ(mouse_x, 123);
    EXPECT_EQ(mouse_y, 45);
    EXPECT_EQ(mouse_buttons, (uint32_t)(MOUSE_LEFT | MOUSE_MIDDLE | MOUSE_OTHER | MOUSE_WHEEL_UP));
    EXPECT_EQ(mouse_buttons_prev, 0u);

    push_button(SDL_BUTTON_LEFT, SDL_RELEASED);
    push_button(SDL_BUTTON_RIGHT, SDL_PRESSED);
    push_wheel(-1);
    push_wheel(1);
    pump_events();
    EXPECT_EQ(mouse_buttons, (uint32_t)(MOUSE_RIGHT | MOUSE_MIDDLE | MOUSE_OTHER | MOUSE_WHEEL_UP |
                                        MOUSE_WHEEL_DOWN));
    EXPECT_TRUE(mouse_buttons_prev & MOUSE_LEFT);

    pump_events(); // wheel bits last one pump
    EXPECT_EQ(mouse_buttons, (uint32_t)(MOUSE_RIGHT | MOUSE_MIDDLE | MOUSE_OTHER));
}

TEST_F(Pump, SizeChangeRebuildsTheView) {
    SDL_Event e = {};
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
    e.window.data1 = 640;
    e.window.data2 = 0;
    SDL_PushEvent(&e);
    push_key(SDL_KEYDOWN, SDLK_q);
    EXPECT_EQ(pump_events(), 0);
    EXPECT_EQ(screen_width, 640);
    EXPECT_EQ(screen_height, 1);
    EXPECT_EQ(key_down['q'], 1); // the rest of the queue is handled as usual
}

TEST_F(Pump, QuitInTheMiddleOfTheQueueStopsThere) {
    push_key(SDL_KEYDOWN, SDLK_LCTRL);
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    push_key(SDL_KEYDOWN, SDLK_a);
    EXPECT_EQ(pump_events(), 1);
    EXPECT_EQ(key_down[352], 1);
    EXPECT_EQ(key_down[KEY_ANY_CTRL], 0); // combined slots are not updated
    EXPECT_EQ(key_down['a'], 0);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u); // SDL is shut down
    EXPECT_EQ(main_window, nullptr);
}

TEST_F(Pump, TerminationSignalIsAQuitRequest) {
    raise(SIGTERM);
    int result = 0;
    for (int i = 0; i < 50 && !result; i++) result = pump_events();
    EXPECT_EQ(result, 1);
    EXPECT_EQ(gl_context, nullptr);
}

} // namespace
