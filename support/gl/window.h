// The window, its OpenGL context, the viewport and the projections.
#pragma once

#include <SDL.h>
#include <cstdint>

extern SDL_Window *main_window;
extern SDL_GLContext gl_context;

// Settings, read when the window is opened or resized.
extern bool windowed_mode;  // a reduced resizable window instead of fullscreen
extern bool mode_2d;        // pixel orthographic projection instead of perspective
extern float field_of_view; // degrees, for the perspective projection
// The desktop's name for the program (X11 WM_CLASS, Wayland app id), so that
// docks pair the window with its launcher; null leaves SDL's own choice.
extern const char *window_class;

// Window size in the desktop's units as last given to set_view_size; 0
// until a size was set.  The mouse, the projection's shape and the overlay
// are measured in these units.
extern int32_t screen_width;
extern int32_t screen_height;
// Drawable pixels per window unit: 2 on a Wayland output at scale 2, 1 on
// X11.  The event pump reads it from SDL.
extern double pixel_ratio;
// The GL drawable in pixels, as SDL reports it for the window's size.
extern int32_t drawable_width;
extern int32_t drawable_height;

// Why the last open_graphics_window returned 0, for the caller to show.
extern char window_error[512];

// Starts SDL and opens the one window with a GL context.  width 0 selects
// a display (height: 1-based display number, 0 the first), width -1 spans
// the displays in the bitmask height, anything else is a size in pixels.
// Returns 1 on success, 0 when there is no usable display or the window or
// context could not be made (window_error says why).
int open_graphics_window(int width, int height, const char *title);

// Gives the window an icon: a 24-bit picture as decode_bmp returns it.
void set_window_icon(const struct Bitmap *icon);

// Whether SDL can move the pointer here; where it cannot (Wayland), mouse
// look needs relative mouse mode.
bool pointer_warps();

// Whether the window is minimised or hidden, so that no frame is seen.
bool window_unseen();

// Lets the screensaver and display power saving come on, or holds them off
// (as SDL does from the start).
void allow_screen_saver(bool allowed);

// Seconds between two refreshes of the window's display, as refresh_period
// makes of the rate the display reports.
double display_refresh_period();

// Reads pixel_ratio from SDL; when it changed (the window went to a monitor
// of another scale), sets the view size again.
void refresh_pixel_ratio();

// Shuts SDL down, releasing the GL context and the window first: Mesa can
// deadlock when the display closes under a live context.
void close_graphics_window();

// Stores the window size, sets the viewport over the drawable's pixels and
// reloads the projection.  Leaves the model-view matrix stack current.
void set_view_size(int width, int height);

// The perspective matrix for a horizontal field of view that keeps at least
// a 4:3 region in sight; column-major, ready for glLoadMatrixf.
void build_perspective_matrix(float fov_degrees, int width, int height, float matrix[16]);

// Loads that matrix for the current screen size onto the projection stack.
void load_perspective_projection(float fov_degrees);

// Bracket 2D drawing in window units (origin top left, y down) on top of
// the 3D scene, sharp at every pixel ratio.  Calls do not nest.
void begin_overlay();
void end_overlay();
