#include <algorithm>
#include <vector>

#include "gl_helpers.h"

class Pump : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        for (int i = 0; i < 6; i++, SDL_Delay(10)) pump_events(); // the X server's own events
    }
    static void push(Uint32 type, int code, int x = 0, int y = 0) {
        SDL_Event e = {type};
        if (type == SDL_KEYDOWN || type == SDL_KEYUP) e.key.keysym = {(SDL_Scancode)x, code, 0, 0};
        if (type == SDL_MOUSEMOTION) e.motion.x = x, e.motion.y = y;
        ASSERT_EQ(SDL_PushEvent(&e), 1);
    }
};

// Pumps in turn, each with its key events (type, keycode, scancode) and then
// {slot, key_down, key_was_down} after it; slot -1 counts the slots down.
TEST_F(Pump, KeysShowTheirStateAndTheStateOfThePumpBefore) {
    struct Key {
        Uint32 type;
        int sym, scancode = 0;
    };
    using Pumps = std::vector<std::pair<std::vector<Key>, std::vector<std::vector<int>>>>;
    const Uint32 DOWN = SDL_KEYDOWN, UP = SDL_KEYUP;
    const Pumps pumps = {
        {{{DOWN, SDLK_LEFT}}, {{208, 1, 0}}},
        {{{DOWN, SDLK_LEFT}}, {{208, 1, 1}}}, // a repeat
        {{{UP, SDLK_LEFT}}, {{208, 0, 1}}},
        {{}, {{208, 0, 0}}},
        // A press and its release between two pumps count as a press in one
        // frame, and a second such tap in the next frame as a new press.
        {{{DOWN, 'p'}, {UP, 'p'}}, {{'p', 1, 0}}},
        {{{DOWN, 'p'}, {UP, 'p'}}, {{'p', 1, 0}}},
        {{}, {{'p', 0, 0}}},
        {{{DOWN, SDLK_RCTRL}, {UP, SDLK_RCTRL}}, {{510, 1, 0}}},
        {{{DOWN, SDLK_RCTRL}, {UP, SDLK_RCTRL}}, {{510, 1, 0}}},
        {{}, {{510, 0, 0}, {356, 0, 0}}},
        {{{DOWN, 'a'}, {UP, 'a'}, {DOWN, 'a'}}, {{'a', 1, 0}}},
        {{}, {{'a', 1, 1}}},
        {{{UP, 'a'}}, {{'a', 0, 1}}},
        {{{DOWN, SDLK_RCTRL}}, {{356, 1, 0}, {510, 1, 0}, {511, 0, 0}, {509, 0, 0}}},
        {{}, {{510, 1, 1}}},
        {{{DOWN, SDLK_LSHIFT}, {DOWN, SDLK_RALT}, {UP, SDLK_RCTRL}}, {{510, 0, 1}, {511, 1, 0}}},
        {{{UP, SDLK_LSHIFT}, {UP, SDLK_RALT}, {DOWN, SDLK_LCTRL}}, {{510, 1, 0}, {509, 0, 1}}},
        // Keys of a Cyrillic layout count as the letters or digits at their
        // place; the rest are dropped.
        {{{UP, SDLK_LCTRL}, {DOWN, 0x444, SDL_SCANCODE_A}}, {{'a', 1, 0}, {-1, 1, 0}}},
        {{{DOWN, 0x439, SDL_SCANCODE_Q}, {DOWN, 0x2116, SDL_SCANCODE_3}},
         {{'q', 1, 0}, {'3', 1, 0}}},
        {{{DOWN, 0x430, SDL_SCANCODE_SEMICOLON}, {DOWN, -5}, {DOWN, 0x3FFFFFFF}}, {{-1, 3, 0}}},
        {{{UP, 0x444, SDL_SCANCODE_A}}, {{'a', 0, 1}}},
    };
    for (size_t p = 0; p < pumps.size(); p++) {
        for (Key k : pumps[p].first) push(k.type, k.sym, k.scancode);
        ASSERT_EQ(pump_events(), 0);
        for (const auto &s : pumps[p].second) {
            auto seen = s[0] < 0 ? std::pair((int)std::count(key_down, key_down + KEY_SLOTS, 1), 0)
                                 : std::pair((int)key_down[s[0]], (int)key_was_down[s[0]]);
            EXPECT_EQ(seen, std::pair(s[1], s[2])) << "pump " << p << ", slot " << s[0];
        }
    }
}

// Motion sets the position; a quit stops the pump where it stands.
TEST_F(Pump, MotionAndQuitRequests) {
    push(SDL_MOUSEMOTION, 0, 123, 45);
    pump_events();
    EXPECT_EQ(std::pair(mouse_x, mouse_y), std::pair(123, 45)) << "the motion's position";
    push(SDL_KEYDOWN, SDLK_LCTRL);
    push(SDL_QUIT, 0);
    push(SDL_KEYDOWN, SDLK_a);
    EXPECT_EQ(pump_events(), 1);
    EXPECT_EQ(key_down[352], 1) << "the key before the quit";
    EXPECT_EQ(key_down[KEY_ANY_CTRL], 0) << "no combined slots after a quit";
    EXPECT_EQ(key_down['a'], 0) << "nothing past the quit";
    EXPECT_EQ(main_window, nullptr) << "SDL shut down";
}
