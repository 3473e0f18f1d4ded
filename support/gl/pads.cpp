#include "pads.h"

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
    bool stick_held[PAD_STICK_DIRECTIONS];
};
static Pad pads[8];

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

// What the controller held is let go, and the program hears of the loss.
static void unplug_pad(Pad *pad) {
    for (int16_t slot : pad_button_slots) set_mapped_slot(slot, false);
    for (int16_t slot : pad_stick_slots) set_mapped_slot(slot, false);
    pad_look_x = 0;
    pad_look_y = 0;
    set_mapped_slot(pad_unplugged_slot, true);
    set_mapped_slot(pad_unplugged_slot, false);
    SDL_GameControllerClose(pad->controller);
    *pad = {};
}

// travel: how far the stick leans toward the direction, negative away.
static void lean(Pad *pad, int direction, int travel) {
    bool &held = pad->stick_held[direction];
    bool now = travel > (held ? STICK_RELEASE : STICK_PRESS);
    if (now == held) return;
    held = now;
    set_mapped_slot(pad_stick_slots[direction], now);
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
        pad_look_x = value / 32767.0;
        break;
    case SDL_CONTROLLER_AXIS_RIGHTY:
        pad_look_y = value / 32767.0;
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
        if (find_pad(e->cbutton.which) && e->cbutton.button < SDL_CONTROLLER_BUTTON_MAX)
            set_mapped_slot(pad_button_slots[e->cbutton.button], e->cbutton.state == SDL_PRESSED);
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
