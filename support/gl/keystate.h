// The key-state arrays filled by the event pump.  Free of SDL so that code
// reading input (the game's rules) can be tested without it.
#pragma once

#include <cstdint>

enum {
    KEY_SLOTS = 512,
    KEY_ANY_ALT = 509,   // either Alt
    KEY_ANY_CTRL = 510,  // either Control
    KEY_ANY_SHIFT = 511, // either Shift
};

extern uint8_t key_down[KEY_SLOTS];     // 1 while the key is held
extern uint8_t key_was_down[KEY_SLOTS]; // key_down as of the previous pump

// True in the frame in which the key went down.
inline bool key_pressed(const uint8_t *now, const uint8_t *before, int index) {
    return now[index] && !before[index];
}
