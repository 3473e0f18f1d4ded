#include "view.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>

#include "events.h"
#include "rules.h"
#include "window.h"

void apply_mouse_look(GameState *state, int dx, int dy) {
    state->view_yaw = std::fmod(state->view_yaw + dx * MOUSE_RADIANS_PER_PIXEL, 2 * M_PI);
    double pitch = state->view_pitch + dy * MOUSE_RADIANS_PER_PIXEL;
    state->view_pitch = std::clamp(pitch, -PITCH_LIMIT, PITCH_LIMIT);
}

void apply_zoom(GameState *state, const uint8_t *keys, const uint8_t *keys_before) {
    if (key_pressed(keys, keys_before, KEY_KP_PLUS) && state->fov_degrees < FOV_MAX)
        state->fov_degrees += FOV_STEP;
    if (key_pressed(keys, keys_before, KEY_KP_MINUS) && state->fov_degrees > FOV_MIN)
        state->fov_degrees -= FOV_STEP;
}

static bool window_has_focus() {
    return main_window && (SDL_GetWindowFlags(main_window) & SDL_WINDOW_INPUT_FOCUS);
}

// Whether the window had the focus in the previous frame, and the window
// and drawable sizes the game's projection was last built for.
static bool had_focus = false;
static int32_t projected_width, projected_height, projected_pixels;

void update_view() {
    // A player who switched to another window gets the mouse back, and on
    // coming back the pointer is wherever it was left: the first frame with
    // the focus only re-centres it.
    bool focused = window_has_focus();
    // A resize rebuilt the projection at the framework's own angle.
    bool resized = screen_width != projected_width || screen_height != projected_height ||
                   drawable_width != projected_pixels;
    bool warps = pointer_warps();
    // Where the pointer cannot be put back at the centre, SDL's relative
    // mode reports the motion instead, while the window has the focus.
    if (!warps && focused != had_focus) SDL_SetRelativeMouseMode(focused ? SDL_TRUE : SDL_FALSE);
    if (focused) {
        int cx = screen_width / 2, cy = screen_height / 2;
        // After a resize the pointer was centred in the old size: the first
        // frame only re-centres it, or the view would jump.
        if (had_focus && !resized && game.play_state != PAUSED)
            apply_mouse_look(&game, mouse_x - cx, mouse_y - cy);
        // Only a pointer away from the centre is put back: a warp comes back
        // as an event, which would wake a game at rest for nothing.
        bool away = !had_focus || resized || mouse_x != cx || mouse_y != cy;
        if (warps && away) SDL_WarpMouseInWindow(main_window, cx, cy);
        // The pointer counts as at the centre now, whether or not the warp
        // comes back as a motion event: a still mouse must not keep turning.
        mouse_x = cx;
        mouse_y = cy;
    }
    had_focus = focused;
    apply_zoom(&game, key_down, key_was_down);
    // The framework reloads the projection at its own angle whenever it
    // likes (a restore, a same-size size change, a new scale): that angle
    // follows the zoom.
    bool zoomed = field_of_view != (float)game.fov_degrees;
    field_of_view = (float)game.fov_degrees;
    if (zoomed || resized) {
        load_perspective_projection(field_of_view);
        projected_width = screen_width;
        projected_height = screen_height;
        projected_pixels = drawable_width;
    }

    const double DEGREES = 57.29577951308232;
    glRotatef((float)(game.view_pitch * DEGREES), 1, 0, 0);
    glRotatef((float)(game.view_yaw * DEGREES), 0, 1, 0);
}
