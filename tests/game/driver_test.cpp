#include "driver.h"

#include "../support/gl/gl_helpers.h"
#include "clock.h"
#include "pads.h"
#include "test_game.h"

// The game's frames on the real pump, with a controller that a test plugs in.
class FrameLoop : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        forget_fonts();
        load_builtin_font();
        start_test_game(&game, SHAPE_SQUARE);
        game.start_time = game.previous_frame_time = monotonic_seconds();
        map_pad_controls();
    }
    void TearDown() override {
        free_well(game.well);
        forget_fonts();
        WindowTest::TearDown();
    }
    // Both edges of a tap reach the queue before one pump reads them.
    static void tap(SDL_Joystick *pad, int button) {
        SDL_JoystickSetVirtualButton(pad, button, 1);
        SDL_JoystickUpdate();
        SDL_JoystickSetVirtualButton(pad, button, 0);
        SDL_JoystickUpdate();
    }
    bool frame() { return run_frame(&shut_down); }
    bool shut_down = false;
};

// Pausing lets the screen sleep, resuming holds it off again.
TEST_F(FrameLoop, PausingAllowsTheScreenSaverAndResumingHoldsItOff) {
    for (bool paused : {true, false}) {
        SDL_Event tap = {SDL_KEYDOWN};
        tap.key.keysym = {SDL_SCANCODE_P, SDLK_p, 0, 0};
        SDL_PushEvent(&tap);
        tap.type = SDL_KEYUP;
        SDL_PushEvent(&tap);
        frame(); // the pump reads the tap
        frame(); // the game step sees it
        EXPECT_EQ(SDL_IsScreenSaverEnabled(), paused) << (paused ? "paused" : "resumed");
    }
}

// Plugged in mid-game, a controller's buttons and left stick press the keys
// of the same controls, however short the press; the stick past half its
// travel, let go under a third.  Back pauses, then quits; unplugged, the
// controller pauses the game and lets go the view.
TEST_F(FrameLoop, AControllerPlaysAsTheKeysDo) {
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
        {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, KEY_RIGHT},
        {SDL_CONTROLLER_BUTTON_A, KEY_UP},
        {SDL_CONTROLLER_BUTTON_B, KEY_UP},
        {SDL_CONTROLLER_BUTTON_DPAD_UP, KEY_UP},
        {SDL_CONTROLLER_BUTTON_DPAD_DOWN, KEY_DOWN},
        {SDL_CONTROLLER_BUTTON_START, KEY_P},
        {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, KEY_KP_PLUS},
        {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, KEY_KP_MINUS},
        {SDL_CONTROLLER_BUTTON_BACK, KEY_PAD_BACK},
    };
    for (auto [button, slot] : buttons) {
        tap(pad, button);
        pump_events();
        EXPECT_EQ(key_down[slot], 1) << "button " << button << " tapped";
        pump_events();
        EXPECT_EQ(key_down[slot], 0) << "button " << button << " let go";
    }
    const struct {
        SDL_GameControllerAxis axis;
        int value, slot, down;
    } leans[] = {
        {SDL_CONTROLLER_AXIS_LEFTX, -16000, KEY_LEFT, 0},
        {SDL_CONTROLLER_AXIS_LEFTX, -17000, KEY_LEFT, 1},
        {SDL_CONTROLLER_AXIS_LEFTX, -11000, KEY_LEFT, 1},
        {SDL_CONTROLLER_AXIS_LEFTX, -10000, KEY_LEFT, 0},
        {SDL_CONTROLLER_AXIS_LEFTX, 17000, KEY_RIGHT, 1},
        {SDL_CONTROLLER_AXIS_LEFTY, 17000, KEY_DOWN, 1},
        {SDL_CONTROLLER_AXIS_LEFTY, -17000, KEY_DOWN, 0},
        {SDL_CONTROLLER_AXIS_RIGHTX, 32767, KEY_RIGHT, 1},
    };
    for (auto l : leans) {
        SDL_JoystickSetVirtualAxis(pad, l.axis, (int16_t)l.value);
        pump_events();
        EXPECT_EQ(key_down[l.slot], l.down) << "axis " << l.axis << " at " << l.value;
    }
    EXPECT_EQ(pad_look_x, 1.0) << "the right stick";
    frame();
    tap(pad, SDL_CONTROLLER_BUTTON_BACK);
    EXPECT_TRUE(frame() && frame()) << "Back while playing";
    EXPECT_EQ(game.play_state, PAUSED) << "Back while playing";
    tap(pad, SDL_CONTROLLER_BUTTON_START);
    frame(), frame();
    SDL_JoystickClose(pad);
    SDL_JoystickDetachVirtual(device);
    frame(), frame();
    EXPECT_EQ(game.play_state, PAUSED) << "unplugged";
    EXPECT_EQ(pad_look_x, 0.0) << "unplugged";
    EXPECT_EQ(key_down[KEY_RIGHT], 0) << "unplugged";
    device = SDL_JoystickAttachVirtualEx(&desc);
    pad = SDL_JoystickOpen(device);
    frame();
    tap(pad, SDL_CONTROLLER_BUTTON_BACK);
    EXPECT_FALSE(frame()) << "Back while paused";
    SDL_JoystickClose(pad);
}
