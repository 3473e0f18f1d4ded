#include "window.h"

#include <GL/gl.h>
#include <SDL_syswm.h>
#include <dlfcn.h>
#include <GL/glext.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bitmap.h"
#include "events.h"
#include "pacing.h"
#include "pads.h"

SDL_Window *main_window;
SDL_GLContext gl_context;
bool windowed_mode = false;
bool mode_2d = true;
float field_of_view = 90.0f;
const char *window_class = nullptr;
int32_t screen_width;
int32_t screen_height;
double pixel_ratio = 1.0;
int32_t drawable_width;
int32_t drawable_height;
char window_error[512];

static const float NEAR_PLANE = 0.1f;
static const float FAR_PLANE = 1000.0f;

static int fail_window(const char *what) {
    snprintf(window_error, sizeof window_error, "%s: %s", what, SDL_GetError());
    SDL_Quit();
    return 0;
}

// SDL quietly falls back to an invisible video driver when there is no X
// server; a game nobody can see is no success, unless that driver was asked
// for on purpose.
static bool is_invisible_fallback(const char *driver) {
    if (!driver) return true;
    if (strcmp(driver, "offscreen") != 0 && strcmp(driver, "dummy") != 0) return false;
    const char *requested = getenv("SDL_VIDEODRIVER");
    return !requested || strcmp(requested, driver) != 0;
}

// Beyond any display's edge, for the first display to move each edge in.
static const int FAR_EDGE = 999999999;

static void span_displays(int mask, int *x, int *y, int *w, int *h) {
    int left = FAR_EDGE, top = FAR_EDGE, right = -FAR_EDGE, bottom = -FAR_EDGE;
    int count = SDL_GetNumVideoDisplays();
    for (int i = 0; i < count; i++) {
        if (mask > 0 && (i > 30 || !(mask & (1 << i)))) continue;
        SDL_Rect r;
        if (SDL_GetDisplayBounds(i, &r) != 0) continue;
        if (r.x < left) left = r.x;
        if (r.y < top) top = r.y;
        if (r.x + r.w > right) right = r.x + r.w;
        if (r.y + r.h > bottom) bottom = r.y + r.h;
    }
    *x = 0;
    *y = top;
    *w = right - left;
    *h = bottom - top;
}

static void display_rectangle(int number, int *x, int *y, int *w, int *h) {
    int display = 0;
    if (number >= 1 && number <= SDL_GetNumVideoDisplays()) display = number - 1;
    SDL_Rect r = {};
    SDL_GetDisplayBounds(display, &r);
    *x = r.x;
    *y = r.y;
    *w = r.w;
    *h = r.h;
    if (windowed_mode) {
        *h = (int)(*h * 0.6);
        *w = (4 * *h) / 3;
    }
}

int open_graphics_window(int width, int height, const char *title) {
    window_error[0] = 0;
    // SDL reads both names from the environment when its video starts.
    if (window_class) {
        setenv("SDL_VIDEO_X11_WMCLASS", window_class, 1);
        setenv("SDL_VIDEO_WAYLAND_WMCLASS", window_class, 1);
    }
    // A fullscreen window that SDL iconifies on losing the focus leaves a
    // second monitor blank while the game goes on unseen.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    // Controllers are read by the event pump and its waits, not by SDL every
    // millisecond while one is plugged in.
    SDL_SetHint(SDL_HINT_AUTO_UPDATE_JOYSTICKS, "0");
    // No audio: a program brings its sound up on its own, so that a sound
    // server that never answers cannot keep the window from opening.
    if (SDL_Init(SDL_INIT_EVERYTHING & ~SDL_INIT_AUDIO) < 0) {
        // Joystick or haptic support missing on the machine must not keep a
        // program that needs neither from starting.
        if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) < 0)
            return fail_window("cannot start SDL");
    }
    if (is_invisible_fallback(SDL_GetCurrentVideoDriver())) {
        const char *display = getenv("DISPLAY");
        if (display && *display)
            SDL_SetError("no display found: cannot reach the X server at DISPLAY=%s", display);
        else
            SDL_SetError("no display found (DISPLAY is %s)", display ? "empty" : "not set");
        return fail_window("cannot open a window");
    }

    int x = 0, y = 0, w = width, h = height;
    if (width == 0)
        display_rectangle(height, &x, &y, &w, &h);
    else if (width == -1)
        span_displays(height, &x, &y, &w, &h);

    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);

    // On a scaled screen, a drawable of the output's own pixels rather than
    // one that the compositor stretches.
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN | SDL_WINDOW_ALLOW_HIGHDPI |
                   (windowed_mode ? SDL_WINDOW_RESIZABLE : SDL_WINDOW_FULLSCREEN_DESKTOP);
    main_window = SDL_CreateWindow(title, x, y, w, h, flags);
    if (!main_window) return fail_window("cannot create the window");
    gl_context = SDL_GL_CreateContext(main_window);
    if (!gl_context) {
        SDL_DestroyWindow(main_window);
        main_window = nullptr;
        return fail_window("cannot create an OpenGL context");
    }
    // Let buffer swaps pace the frame loop where the driver allows it.
    SDL_GL_SetSwapInterval(1);

    glClearColor(0, 0, 0, 0);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_DEPTH_TEST);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_TEXTURE_CUBE_MAP_SEAMLESS);
    glGetError(); // older drivers do not know the seamless cube-map flag

    refresh_pixel_ratio();
    set_view_size(w, h);
    glLoadIdentity();
    clear_key_state();
    if (!windowed_mode) SDL_ShowCursor(SDL_DISABLE);
    return 1;
}

void set_window_icon(const Bitmap *icon) {
    if (!main_window || icon->bytes_per_pixel != 3 || !icon->pixels) return;
    // Blue, green, red in memory: a little-endian 24-bit pixel with red high.
    SDL_Surface *surface =
        SDL_CreateRGBSurfaceFrom(icon->pixels, (int)icon->width, (int)icon->height, 24,
                                 (int)icon->width * 3, 0xFF0000, 0x00FF00, 0x0000FF, 0);
    if (!surface) return;
    SDL_SetWindowIcon(main_window, surface);
    SDL_FreeSurface(surface);
}

bool pointer_warps() {
    const char *driver = SDL_GetCurrentVideoDriver();
    return !driver || strcmp(driver, "wayland") != 0;
}

bool window_unseen() {
    return main_window &&
           (SDL_GetWindowFlags(main_window) & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN));
}

// Where no D-Bus screensaver service takes SDL's request (a bare X server,
// a plain window manager), SDL 2.26 suspends the X screensaver instead, but
// on enabling asks only D-Bus, which has nothing to take back: the X
// screensaver stays suspended for good.  The suspension is taken back here;
// where SDL made none, the X server ignores the request.
static void resume_x11_screen_saver() {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!main_window || !SDL_GetWindowWMInfo(main_window, &info) || info.subsystem != SDL_SYSWM_X11)
        return;
    static void *xss = dlopen("libXss.so.1", RTLD_NOW | RTLD_LOCAL);
    auto has_extension =
        xss ? (int (*)(Display *, int *, int *))dlsym(xss, "XScreenSaverQueryExtension") : nullptr;
    auto suspend = xss ? (void (*)(Display *, int))dlsym(xss, "XScreenSaverSuspend") : nullptr;
    // A server without the extension (Xwayland, some others) has nothing
    // to take back, and Xlib would complain on stderr at being asked.
    int event_base, error_base;
    if (!has_extension || !suspend ||
        !has_extension(info.info.x11.display, &event_base, &error_base))
        return;
    // Sent with SDL's next look at the X queue.
    suspend(info.info.x11.display, 0);
}

void allow_screen_saver(bool allowed) {
    if (allowed == (bool)SDL_IsScreenSaverEnabled()) return;
    if (allowed) {
        SDL_EnableScreenSaver();
        resume_x11_screen_saver();
    } else {
        SDL_DisableScreenSaver();
    }
}

double display_refresh_period() {
    SDL_DisplayMode mode = {};
    int display = main_window ? SDL_GetWindowDisplayIndex(main_window) : 0;
    if (display < 0 || SDL_GetCurrentDisplayMode(display, &mode) != 0) return refresh_period(0);
    return refresh_period(mode.refresh_rate);
}

void refresh_pixel_ratio() {
    int window_w = 0, window_h = 0, pixels_w = 0, pixels_h = 0;
    if (!main_window) return;
    SDL_GetWindowSize(main_window, &window_w, &window_h);
    SDL_GL_GetDrawableSize(main_window, &pixels_w, &pixels_h);
    double ratio = window_w > 0 && pixels_w > 0 ? (double)pixels_w / window_w : 1.0;
    if (ratio == pixel_ratio) return;
    pixel_ratio = ratio;
    window_needs_redraw = true;
    if (screen_width > 0) set_view_size(screen_width, screen_height);
}

void close_graphics_window() {
    close_pads();
    if (gl_context) {
        SDL_GL_MakeCurrent(main_window, nullptr);
        SDL_GL_DeleteContext(gl_context);
    }
    if (main_window) SDL_DestroyWindow(main_window);
    gl_context = nullptr;
    main_window = nullptr;
    SDL_Quit();
}

void build_perspective_matrix(float fov_degrees, int width, int height, float m[16]) {
    float t = (float)tan((double)fov_degrees * 0.008726646259971648);
    float W = (float)width, H = (float)height;
    float sx = t;
    float sy = (t * H) / W;
    float a = 0.75f * t;
    if (a > sy) { // wider than 4:3: keep the 4:3 height, see more at the sides
        sy = a;
        sx = (W * a) / H;
    }
    for (int i = 0; i < 16; i++) m[i] = 0.0f;
    m[0] = 1.0f / sx;
    m[5] = 1.0f / sy;
    m[10] = -(FAR_PLANE + NEAR_PLANE) / (FAR_PLANE - NEAR_PLANE);
    m[11] = -1.0f;
    m[14] = -2.0f * FAR_PLANE * NEAR_PLANE / (FAR_PLANE - NEAR_PLANE);
}

void load_perspective_projection(float fov_degrees) {
    float m[16];
    build_perspective_matrix(fov_degrees, screen_width, screen_height, m);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(m);
    glMatrixMode(GL_MODELVIEW);
}

void set_view_size(int width, int height) {
    screen_width = width;
    screen_height = height > 0 ? height : 1;
    // The window's own size has the drawable SDL reports: a ratio that is
    // not whole, rounded on each side, could leave a row undrawn.  A size
    // the window does not have (yet) is scaled.
    int window_w = 0, window_h = 0, pixels_w = 0, pixels_h = 0;
    if (main_window) SDL_GetWindowSize(main_window, &window_w, &window_h);
    if (window_w == screen_width && window_h == screen_height)
        SDL_GL_GetDrawableSize(main_window, &pixels_w, &pixels_h);
    drawable_width = pixels_w > 0 ? pixels_w : (int32_t)std::lround(screen_width * pixel_ratio);
    drawable_height = pixels_h > 0 ? pixels_h : (int32_t)std::lround(screen_height * pixel_ratio);
    glViewport(0, 0, drawable_width, drawable_height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (mode_2d) {
        int half = screen_height / 2;
        glOrtho(0, screen_width, screen_height, 0, half, -half);
        glMatrixMode(GL_MODELVIEW);
    } else {
        load_perspective_projection(field_of_view);
    }
}

void begin_overlay() {
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    GLint v[4];
    glGetIntegerv(GL_VIEWPORT, v);
    // The viewport is in drawable pixels, the overlay in window units.
    double left = v[0] / pixel_ratio, right = (v[0] + v[2]) / pixel_ratio;
    double bottom = v[1] / pixel_ratio, top = (v[1] + v[3]) / pixel_ratio;
    int H = screen_height, half = screen_height / 2;
    glOrtho(left, right, H - bottom, H - top, half, -half);
    glMatrixMode(GL_MODELVIEW);
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
}

void end_overlay() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
}
