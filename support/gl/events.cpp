#include "events.h"

#include <algorithm>
#include <cstring>

#include "pads.h"
#include "window.h"

uint8_t key_down[KEY_SLOTS];
uint8_t key_was_down[KEY_SLOTS];
// Keys pressed and released between the same two pumps: they stay down for
// one frame, so that a quick tap is seen, and are released by the next pump.
static uint8_t release_pending[KEY_SLOTS];
// What the keyboard alone holds; a controller may hold the same slots.
static uint8_t keyboard_held[KEY_SLOTS];
int32_t mouse_x, mouse_y;
bool window_needs_redraw = true;
uint32_t mouse_buttons, mouse_buttons_prev;

int32_t key_index(SDL_Keycode keycode) {
    return keycode <= 0x3FFFFFFF ? keycode : keycode - 0x3FFFFF80;
}

void clear_key_state() {
    memset(key_down, 0, sizeof key_down);
    memset(key_was_down, 0, sizeof key_was_down);
    memset(release_pending, 0, sizeof release_pending);
    memset(keyboard_held, 0, sizeof keyboard_held);
}

bool keyboard_holds(int32_t slot) {
    return slot >= 0 && slot < KEY_SLOTS && keyboard_held[slot];
}

static int32_t key_slot(SDL_Keysym key) {
    int32_t index = key_index(key.sym);
    if (index >= 0 && index < KEY_SLOTS) return index;
    // Keys of non-Latin layouts have code points past the table: such a key
    // counts as the Latin letter or digit at its place on a US keyboard.
    SDL_Scancode at = key.scancode;
    if (at >= SDL_SCANCODE_A && at <= SDL_SCANCODE_Z) return 'a' + (at - SDL_SCANCODE_A);
    if (at >= SDL_SCANCODE_1 && at <= SDL_SCANCODE_9) return '1' + (at - SDL_SCANCODE_1);
    if (at == SDL_SCANCODE_0) return '0';
    return -1;
}

static void set_key(SDL_Keysym key, bool held) {
    int32_t slot = key_slot(key);
    if (slot < 0) return;
    keyboard_held[slot] = held;
    set_key_slot(slot, held || pads_hold(slot));
}

void set_key_slot(int32_t slot, bool held) {
    if (slot < 0 || slot >= KEY_SLOTS) return;
    // Down now but not at the start of this pump: it went down in this pump.
    bool tapped = !held && key_down[slot] && !key_was_down[slot];
    release_pending[slot] = tapped;
    if (!tapped) key_down[slot] = held;
}

// Window events after which the picture on screen may be gone or stale:
// uncovered without a compositor, resized, shown again, moved to a screen
// of another scale, or the focus changing.
static bool changes_the_picture(uint8_t event) {
    switch (event) {
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_DISPLAY_CHANGED:
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_FOCUS_LOST:
        return true;
    default:
        return false;
    }
}

static void combine_modifier_slots() {
    key_down[KEY_ANY_CTRL] = key_down[352] | key_down[356];
    key_down[KEY_ANY_SHIFT] = key_down[353] | key_down[357];
    key_down[KEY_ANY_ALT] = key_down[354] | key_down[358];
}

static uint32_t button_bit(uint8_t button) {
    switch (button) {
    case SDL_BUTTON_LEFT:
        return MOUSE_LEFT;
    case SDL_BUTTON_RIGHT:
        return MOUSE_RIGHT;
    case SDL_BUTTON_MIDDLE:
        return MOUSE_MIDDLE;
    case SDL_BUTTON_X1:
        return MOUSE_X1;
    default:
        return MOUSE_OTHER;
    }
}

// SDL reads controllers only when asked: by itself it would wake every
// millisecond while one is plugged in, even in a wait for events.
static void read_pads() {
    if (SDL_WasInit(SDL_INIT_JOYSTICK)) SDL_JoystickUpdate();
}

// Often enough that a press while waiting acts at once.
static const int PAD_READ_MS = 20;

void wait_for_events(int timeout_ms) {
    if (!any_pad_open()) {
        SDL_WaitEventTimeout(nullptr, timeout_ms);
        return;
    }
    for (int left = timeout_ms; left > 0; left -= PAD_READ_MS) {
        if (SDL_WaitEventTimeout(nullptr, std::min(left, PAD_READ_MS))) return;
        read_pads();
    }
}

int pump_events() {
    // Last pump's taps are released before the copy, so that a tap in this
    // pump is a new press again.
    for (int k = 0; k < KEY_SLOTS; k++)
        if (release_pending[k]) key_down[k] = release_pending[k] = 0;
    combine_modifier_slots();
    memcpy(key_was_down, key_down, sizeof key_down);
    mouse_buttons_prev = mouse_buttons;
    mouse_buttons &= ~(uint32_t)(MOUSE_WHEEL_UP | MOUSE_WHEEL_DOWN);
    bool relative = SDL_GetRelativeMouseMode();
    read_pads();

    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        switch (e.type) {
        case SDL_QUIT:
            close_graphics_window();
            return 1;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            set_key(e.key.keysym, e.type == SDL_KEYDOWN);
            break;
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
                set_view_size(e.window.data1, e.window.data2);
            if (changes_the_picture(e.window.event)) window_needs_redraw = true;
            break;
        case SDL_MOUSEMOTION:
            if (relative) {
                mouse_x += e.motion.xrel;
                mouse_y += e.motion.yrel;
            } else {
                mouse_x = e.motion.x;
                mouse_y = e.motion.y;
            }
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (e.button.state == SDL_PRESSED)
                mouse_buttons |= button_bit(e.button.button);
            else
                mouse_buttons &= ~button_bit(e.button.button);
            break;
        case SDL_MOUSEWHEEL:
            if (e.wheel.y > 0) mouse_buttons |= MOUSE_WHEEL_UP;
            if (e.wheel.y < 0) mouse_buttons |= MOUSE_WHEEL_DOWN;
            break;
        default:
            handle_pad_event(&e);
            break;
        }
    }

    combine_modifier_slots();
    // A move to a monitor of another scale changes the drawable alone.
    refresh_pixel_ratio();
    return 0;
}
