#include "driver.h"

#include "../support/gl/gl_helpers.h"
#include "clock.h"
#include "pads.h"
#include "test_game.h"
#include "view.h"

using FrameLoop = WindowTest;

// Both edges of a tap reach the queue before one pump reads them.
static void tap(SDL_Joystick *pad, int button) {
    SDL_JoystickSetVirtualButton(pad, button, 1);
    SDL_JoystickUpdate();
    SDL_JoystickSetVirtualButton(pad, button, 0);
    SDL_JoystickUpdate();
}

// Controllers plugged in mid-game press the keys of the same controls; Back
// pauses, then quits; unplugging pauses and lets go; at rest a press wakes.
TEST_F(FrameLoop, AControllerPlaysAsTheKeysDo) {
    only_the_game_font();
    start_test_game(&game, SHAPE_SQUARE);
    set_start_values(&game, monotonic_seconds());
    map_pad_controls();
    bool shut_down = false;
    SDL_VirtualJoystickDesc desc = {};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    int device = SDL_JoystickAttachVirtualEx(&desc), other_device = 0;
    SDL_Joystick *pad = SDL_JoystickOpen(device), *other = nullptr;
    auto plug_other = [&] {
        other = SDL_JoystickOpen(other_device = SDL_JoystickAttachVirtualEx(&desc));
    };
    plug_other();
    pump_events();
    tap(pad, SDL_CONTROLLER_BUTTON_A);
    pump_events();
    EXPECT_EQ(key_down[KEY_UP], 1) << "tapped";
    pump_events();
    EXPECT_EQ(key_down[KEY_UP], 0) << "let go";
    // clang-format off
    const int leans[][3] = {
        {-16384, KEY_LEFT, 0},
        {-16385, KEY_LEFT, 1},
        {-10924, KEY_LEFT, 1},
        {-10923, KEY_LEFT, 0},
        {17000, KEY_RIGHT, 1},
    };
    // clang-format on
    for (auto [value, slot, down] : leans) {
        SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, (int16_t)value);
        pump_events();
        EXPECT_EQ(key_down[slot], down) << "leaning " << value;
    }
    const int Y = SDL_CONTROLLER_AXIS_LEFTY;
    // A control is held while anything holds it: either controller, any of
    // its inputs, the keyboard.
    enum { BUTTON, AXIS, UNPLUG, PLUG, KEY };
    const int DOWN = SDL_CONTROLLER_BUTTON_DPAD_DOWN;
    // clang-format off
    const struct { const char *step; int pad, kind, which, value, down; } steps[] = {
        {"A's stick down", 0, AXIS, Y, 20000, 1},
        {"A's D-pad down", 0, BUTTON, DOWN, 1, 1},
        {"A's stick back", 0, AXIS, Y, 0, 1},
        {"B presses too", 1, BUTTON, DOWN, 1, 1},
        {"A lets go", 0, BUTTON, DOWN, 0, 1},
        {"keyboard holds", 0, KEY, SDL_KEYDOWN, 0, 1},
        {"keyboard lets go", 0, KEY, SDL_KEYUP, 0, 1},
        {"B unplugged", 1, UNPLUG, 0, 0, 0},
        {"B comes back", 1, PLUG, 0, 0, 0},
    };
    // clang-format on
    for (auto [step, b, kind, which, value, down] : steps) {
        SDL_Joystick *p = b ? other : pad;
        if (kind == BUTTON) SDL_JoystickSetVirtualButton(p, which, (Uint8)value);
        if (kind == AXIS) SDL_JoystickSetVirtualAxis(p, which, (int16_t)value);
        if (kind == UNPLUG) SDL_JoystickClose(other);
        if (kind == UNPLUG) SDL_JoystickDetachVirtual(other_device);
        if (kind == PLUG) plug_other();
        SDL_Event key = {(Uint32)which};
        key.key.keysym.sym = SDLK_DOWN;
        if (kind == KEY) SDL_PushEvent(&key);
        SDL_JoystickUpdate();
        pump_events();
        pump_events();
        EXPECT_EQ(key_down[KEY_DOWN], down) << step;
    }
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_RIGHTX, 32767);
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_RIGHTY, -32767);
    SDL_JoystickUpdate();
    SDL_JoystickSetVirtualAxis(other, SDL_CONTROLLER_AXIS_RIGHTY, 32767); // B's: as far, later
    pump_events();
    EXPECT_EQ(std::pair(pad_look_x, pad_look_y), std::pair(1.0, -1.0)) << "the right sticks";
    for (int button : {SDL_CONTROLLER_BUTTON_BACK, SDL_CONTROLLER_BUTTON_START}) {
        tap(pad, button);
        run_frame(&shut_down);
        EXPECT_TRUE(run_frame(&shut_down)) << "seen " << button;
    }
    EXPECT_LT(game.piece_height, SPAWN_HEIGHT) << "fell since resumed";
    // Xvfb's swap never waits: the loop paces.
    double began = monotonic_seconds();
    for (int i = 0; i < 12; i++) run_frame(&shut_down);
    EXPECT_GE(monotonic_seconds() - began, 9 * display_refresh_period()) << "paced";
    EXPECT_GT(game.view_yaw, M_PI / 2) << "turned";
    EXPECT_LE(game.view_yaw - M_PI / 2, STICK_YAW_RATE * (monotonic_seconds() - game.start_time))
        << "faster than the stick";
    SDL_JoystickClose(pad);
    SDL_JoystickDetachVirtual(device);
    run_frame(&shut_down);
    run_frame(&shut_down);
    EXPECT_EQ(
        std::tuple(game.play_state, key_down[KEY_RIGHT], key_down[KEY_PAD_UNPLUGGED], pad_look_y),
        std::tuple(PAUSED, 0, 0, 1.0))
        << "unplugged: paused, B's left";
    pad = SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&desc));
    run_frame(&shut_down);
    float view[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, view);
    EXPECT_EQ(view[0], 1.0f) << "at rest, turns undone";
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_BACK, 1);
    began = monotonic_seconds();
    wait_for_events(20000);
    EXPECT_LT(monotonic_seconds() - began, 10) << "woken";
    EXPECT_FALSE(run_frame(&shut_down) && run_frame(&shut_down)) << "Back while paused";
    free_well(game.well);
}
