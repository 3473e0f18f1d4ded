#include "pads.h"

#include <cmath>

#include "events.h"

int16_t pad_button_slots[SDL_CONTROLLER_BUTTON_MAX];
int16_t pad_stick_slots[PAD_STICK_DIRECTIONS];
int16_t pad_unplugged_slot;
double pad_look_x, pad_look_y;

// Past half the travel a direction is pressed, and only under a third is it
// let go again: a stick resting near the edge does not chatter.
static const int STICK_PRESS = 16384;
static const int STICK_RELEASE = 10923;

struct Pad {
    SDL_GameController *controller; // null: a free place
    SDL_JoystickID id;
    bool button_held[SDL_CONTROLLER_BUTTON_MAX];
    bool stick_held[PAD_STICK_DIRECTIONS];
    double look_x, look_y; // its right stick
};
static Pad pads[8];

bool any_pad_open() {
    for (const Pad &pad : pads)
        if (pad.controller) return true;
    return false;
}

bool pads_hold(int32_t slot) {
    for (const Pad &pad : pads) {
        if (!pad.controller) continue;
        for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX; b++)
            if (pad.button_held[b] && pad_button_slots[b] == slot) return true;
        for (int d = 0; d < PAD_STICK_DIRECTIONS; d++)
            if (pad.stick_held[d] && pad_stick_slots[d] == slot) return true;
    }
    return false;
}

// A slot is held while any controller's input or the keyboard holds it.
static void refresh_slot(int16_t slot) {
    if (slot > 0) set_key_slot(slot, pads_hold(slot) || keyboard_holds(slot));
}

// The strongest push of any controller's right stick, so that a resting
// stick's noise never cancels another's turn.
static void refresh_look() {
    pad_look_x = pad_look_y = 0;
    for (const Pad &pad : pads) {
        if (!pad.controller) continue;
        if (std::fabs(pad.look_x) > std::fabs(pad_look_x)) pad_look_x = pad.look_x;
        if (std::fabs(pad.look_y) > std::fabs(pad_look_y)) pad_look_y = pad.look_y;
    }
}

static Pad *find_pad(SDL_JoystickID id) {
    for (Pad &pad : pads)
        if (pad.controller && pad.id == id) return &pad;
    return nullptr;
}

static void open_pad(int device) {
    if (find_pad(SDL_JoystickGetDeviceInstanceID(device))) return;
    for (Pad &pad : pads) {
        if (pad.controller) continue;
        pad.controller = SDL_GameControllerOpen(device);
        if (pad.controller)
            pad.id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad.controller));
        return;
    }
}

static void set_mapped_slot(int16_t slot, bool held) {
    if (slot > 0) set_key_slot(slot, held);
}

// What the controller held is let go, unless something else holds it too,
// and the program hears of the loss.
static void unplug_pad(Pad *pad) {
    SDL_GameControllerClose(pad->controller);
    *pad = {};
    for (int16_t slot : pad_button_slots) refresh_slot(slot);
    for (int16_t slot : pad_stick_slots) refresh_slot(slot);
    refresh_look();
    set_mapped_slot(pad_unplugged_slot, true);
    set_mapped_slot(pad_unplugged_slot, false);
}

// travel: how far the stick leans toward the direction, negative away.
static void lean(Pad *pad, int direction, int travel) {
    bool &held = pad->stick_held[direction];
    bool now = travel > (held ? STICK_RELEASE : STICK_PRESS);
    if (now == held) return;
    held = now;
    refresh_slot(pad_stick_slots[direction]);
}

static void move_axis(Pad *pad, uint8_t axis, int value) {
    switch (axis) {
    case SDL_CONTROLLER_AXIS_LEFTX:
        lean(pad, PAD_STICK_LEFT, -value);
        lean(pad, PAD_STICK_RIGHT, value);
        break;
    case SDL_CONTROLLER_AXIS_LEFTY:
        lean(pad, PAD_STICK_UP, -value);
        lean(pad, PAD_STICK_DOWN, value);
        break;
    case SDL_CONTROLLER_AXIS_RIGHTX:
        pad->look_x = value / 32767.0;
        refresh_look();
        break;
    case SDL_CONTROLLER_AXIS_RIGHTY:
        pad->look_y = value / 32767.0;
        refresh_look();
        break;
    default:
        break;
    }
}

void handle_pad_event(const SDL_Event *e) {
    Pad *pad = nullptr;
    switch (e->type) {
    case SDL_CONTROLLERDEVICEADDED:
        open_pad(e->cdevice.which);
        break;
    case SDL_CONTROLLERDEVICEREMOVED:
        if ((pad = find_pad(e->cdevice.which))) unplug_pad(pad);
        break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        if ((pad = find_pad(e->cbutton.which)) && e->cbutton.button < SDL_CONTROLLER_BUTTON_MAX) {
            pad->button_held[e->cbutton.button] = e->cbutton.state == SDL_PRESSED;
            refresh_slot(pad_button_slots[e->cbutton.button]);
        }
        break;
    case SDL_CONTROLLERAXISMOTION:
        if ((pad = find_pad(e->caxis.which))) move_axis(pad, e->caxis.axis, e->caxis.value);
        break;
    default:
        break;
    }
}

void close_pads() {
    for (Pad &pad : pads)
        if (pad.controller) SDL_GameControllerClose(pad.controller);
    for (Pad &pad : pads) pad = {};
    pad_look_x = 0;
    pad_look_y = 0;
}
