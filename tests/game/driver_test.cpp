#include "driver.h"

#include "../support/gl/gl_helpers.h"
#include "clock.h"
#include "pads.h"
#include "test_game.h"

using FrameLoop = WindowTest;

// Both edges of a tap reach the queue before one pump reads them.
static void tap(SDL_Joystick *pad, int button) {
    SDL_JoystickSetVirtualButton(pad, button, 1);
    SDL_JoystickUpdate();
    SDL_JoystickSetVirtualButton(pad, button, 0);
    SDL_JoystickUpdate();
}

// A controller plugged in mid-game presses the keys of the same controls;
// Back pauses, then quits; unplugging pauses and lets go.
TEST_F(FrameLoop, AControllerPlaysAsTheKeysDo) {
    forget_fonts();
    load_builtin_font();
    start_test_game(&game, SHAPE_SQUARE);
    game.previous_frame_time = monotonic_seconds();
    map_pad_controls();
    bool shut_down = false;
    SDL_VirtualJoystickDesc desc = {};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    int device = SDL_JoystickAttachVirtualEx(&desc);
    SDL_Joystick *pad = SDL_JoystickOpen(device);
    pump_events();
    const std::pair<int, int> buttons[] = {
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, KEY_LEFT},
        {SDL_CONTROLLER_BUTTON_START, KEY_P},
        {SDL_CONTROLLER_BUTTON_BACK, KEY_PAD_BACK},
        {SDL_CONTROLLER_BUTTON_Y, KEY_M},
    };
    for (auto [button, slot] : buttons) {
        tap(pad, button);
        pump_events();
        EXPECT_EQ(key_down[slot], 1) << "button " << button << " tapped";
        pump_events();
        EXPECT_EQ(key_down[slot], 0) << "button " << button << " let go";
    }
    const int X = SDL_CONTROLLER_AXIS_LEFTX, Y = SDL_CONTROLLER_AXIS_LEFTY;
    // clang-format off
    const int leans[][4] = {
        {X, -16384, KEY_LEFT, 0},
        {X, -16385, KEY_LEFT, 1},
        {X, -10924, KEY_LEFT, 1},
        {X, -10923, KEY_LEFT, 0},
        {X, 17000, KEY_RIGHT, 1},
        {Y, 17000, KEY_DOWN, 1},
        {Y, -17000, KEY_DOWN, 0},
    };
    // clang-format on
    for (auto [axis, value, slot, down] : leans) {
        SDL_JoystickSetVirtualAxis(pad, axis, (int16_t)value);
        pump_events();
        EXPECT_EQ(key_down[slot], down) << "axis " << axis << " at " << value;
    }
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_RIGHTX, 32767);
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_RIGHTY, -32767);
    pump_events();
    EXPECT_EQ(std::pair(pad_look_x, pad_look_y), std::pair(1.0, -1.0)) << "the right stick";
    for (int button : {SDL_CONTROLLER_BUTTON_BACK, SDL_CONTROLLER_BUTTON_START}) {
        tap(pad, button);
        run_frame(&shut_down);
        EXPECT_TRUE(run_frame(&shut_down)) << "seen " << button;
        EXPECT_EQ(SDL_IsScreenSaverEnabled(), button == SDL_CONTROLLER_BUTTON_BACK) << button;
    }
    EXPECT_NE(game.view_yaw, M_PI / 2) << "the stick turned";
    SDL_JoystickClose(pad);
    SDL_JoystickDetachVirtual(device);
    run_frame(&shut_down);
    run_frame(&shut_down);
    EXPECT_EQ(game.play_state, PAUSED) << "unplugged";
    EXPECT_EQ(std::tuple(key_down[KEY_RIGHT], key_down[KEY_PAD_UNPLUGGED], pad_look_y),
              std::tuple(0, 0, 0.0))
        << "unplugged";
    pad = SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&desc));
    run_frame(&shut_down);
    float view[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, view);
    EXPECT_EQ(view[0], 1.0f) << "at rest, turns undone";
    // SDL has not looked yet; the test's window may still wait for the focus.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_Y, 1);
    double pressed = monotonic_seconds();
    run_frame(&shut_down);
    EXPECT_LT(monotonic_seconds() - pressed, 0.25) << "a press wakes the resting game";
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_Y, 0);
    run_frame(&shut_down);
    tap(pad, SDL_CONTROLLER_BUTTON_BACK);
    EXPECT_FALSE(run_frame(&shut_down)) << "Back while paused";
    SDL_JoystickClose(pad);
    free_well(game.well);
}

// A control is held while anything holds it: either controller, any of its
// inputs, the keyboard; the right stick pushed furthest turns the view.
TEST_F(FrameLoop, TwoControllersAndTheKeyboardNeverLetGoOfEachOther) {
    map_pad_controls();
    SDL_VirtualJoystickDesc desc = {};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    int devices[2] = {};
    SDL_Joystick *pads[2] = {};
    auto plug = [&](int p) {
        pads[p] = SDL_JoystickOpen(devices[p] = SDL_JoystickAttachVirtualEx(&desc));
    };
    plug(0);
    plug(1);
    pump_events();
    enum { BUTTON, AXIS, UNPLUG, PLUG, KEY };
    const int DOWN = SDL_CONTROLLER_BUTTON_DPAD_DOWN, Y = SDL_CONTROLLER_AXIS_LEFTY;
    const struct {
        const char *step;
        int pad, kind, which, value, down;
    } steps[] = {
        {"A holds the D-pad down", 0, BUTTON, DOWN, 1, 1},
        {"B presses down too", 1, BUTTON, DOWN, 1, 1},
        {"B lets go", 1, BUTTON, DOWN, 0, 1},
        {"A's stick goes down", 0, AXIS, Y, 20000, 1},
        {"and back", 0, AXIS, Y, 0, 1},
        {"B is unplugged", 1, UNPLUG, 0, 0, 1},
        {"A lets go", 0, BUTTON, DOWN, 0, 0},
        {"the keyboard holds down", 0, KEY, SDL_KEYDOWN, 0, 1},
        {"B comes and goes", 1, PLUG, 0, 0, 1},
        {"B is unplugged again", 1, UNPLUG, 0, 0, 1},
        {"the keyboard lets go", 0, KEY, SDL_KEYUP, 0, 0},
    };
    for (auto [step, pad, kind, which, value, down] : steps) {
        if (kind == BUTTON) SDL_JoystickSetVirtualButton(pads[pad], which, (Uint8)value);
        if (kind == AXIS) SDL_JoystickSetVirtualAxis(pads[pad], which, (int16_t)value);
        if (kind == UNPLUG) {
            SDL_JoystickClose(pads[pad]);
            SDL_JoystickDetachVirtual(devices[pad]);
        }
        if (kind == PLUG) plug(pad);
        if (kind == KEY) {
            SDL_Event e = {};
            e.type = e.key.type = (Uint32)which;
            e.key.keysym.sym = SDLK_DOWN;
            SDL_PushEvent(&e);
        }
        SDL_JoystickUpdate();
        pump_events();
        pump_events();
        EXPECT_EQ(key_down[KEY_DOWN], down) << step;
    }
    plug(1);
    pump_events();
    SDL_JoystickSetVirtualAxis(pads[0], SDL_CONTROLLER_AXIS_RIGHTX, 32767);
    SDL_JoystickUpdate();
    SDL_JoystickSetVirtualAxis(pads[1], SDL_CONTROLLER_AXIS_RIGHTX, 1500);
    SDL_JoystickUpdate();
    pump_events();
    EXPECT_EQ(pad_look_x, 1.0) << "A's full push, B's stick resting last";
    for (int p : {0, 1}) {
        SDL_JoystickClose(pads[p]);
        SDL_JoystickDetachVirtual(devices[p]);
    }
    pump_events();
}
