#include "background.h"

#include <GL/gl.h>
#include <cstdint>

static const uint32_t BACKGROUND_COLOUR = 0x6699FF;

// No colour has this value, so the first frame always sets the clear colour.
static uint32_t last_clear_colour = 1u << 24;

void clear_for_next_frame() {
    if (last_clear_colour != BACKGROUND_COLOUR) {
        glClearColor(((BACKGROUND_COLOUR >> 16) & 0xFF) / 255.0f,
                     ((BACKGROUND_COLOUR >> 8) & 0xFF) / 255.0f,
                     (BACKGROUND_COLOUR & 0xFF) / 255.0f, 0.0f);
        last_clear_colour = BACKGROUND_COLOUR;
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
}
