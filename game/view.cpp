#include "view.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>

#include "events.h"
#include "pads.h"
#include "rules.h"
#include "window.h"

static void turn_view(GameState *state, double yaw, double pitch) {
    state->view_yaw = std::fmod(state->view_yaw + yaw, 2 * M_PI);
    state->view_pitch = std::clamp(state->view_pitch + pitch, -PITCH_LIMIT, PITCH_LIMIT);
}

void apply_mouse_look(GameState *state, int dx, int dy) {
    turn_view(state, dx * MOUSE_RADIANS_PER_PIXEL, dy * MOUSE_RADIANS_PER_PIXEL);
}

// 0 within the dead zone, then up to 1 at full lean, signed.
static double stick_share(double lean) {
    double beyond = (std::fabs(lean) - STICK_DEAD_ZONE) / (1 - STICK_DEAD_ZONE);
    return beyond > 0 ? std::copysign(std::min(beyond, 1.0), lean) : 0.0;
}

void apply_stick_look(GameState *state, double x, double y, double seconds) {
    turn_view(state, stick_share(x) * STICK_YAW_RATE * seconds,
              stick_share(y) * STICK_PITCH_RATE * seconds);
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

void update_view(double seconds) {
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
    if (game.play_state != PAUSED) apply_stick_look(&game, pad_look_x, pad_look_y, seconds);
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
