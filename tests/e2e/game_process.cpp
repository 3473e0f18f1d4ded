#include "game_process.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#ifndef SPINWELL_BINARY
#error "SPINWELL_BINARY must name the game binary"
#endif

double seconds_now() {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec + ts.tv_nsec * 1e-9;
}

std::string make_scratch_dir() {
    char pattern[] = "/tmp/spinwell_e2e_XXXXXX";
    return mkdtemp(pattern) ? pattern : "";
}

std::string read_text(const std::string &path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

GameRun start_game(const std::string &dir, bool with_display) {
    GameRun run;
    run.dir = dir;
    run.pid = fork();
    if (run.pid == 0) {
        if (chdir(dir.c_str()) != 0) _exit(127);
        int out = open("out.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = open("err.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, 1);
        dup2(err, 2);
        if (!with_display) unsetenv("DISPLAY");
#ifdef GAME_PRELOAD
        setenv("LD_PRELOAD", GAME_PRELOAD, 1);
#endif
        // SPINWELL_GAME runs the same tests against another build, such as
        // the one installed from the package.
        const char *binary = getenv("SPINWELL_GAME") ? getenv("SPINWELL_GAME") : SPINWELL_BINARY;
        execl(binary, binary, (char *)nullptr);
        _exit(127);
    }
    return run;
}

bool wait_for_exit(GameRun *run, double seconds) {
    if (run->pid <= 0) return true;
    double deadline = seconds_now() + seconds;
    do {
        int status;
        if (waitpid(run->pid, &status, WNOHANG) == run->pid) {
            run->status = status;
            run->pid = -1;
            return true;
        }
        usleep(20000);
    } while (seconds_now() < deadline);
    return false;
}

bool is_running(GameRun *run) {
    return !wait_for_exit(run, 0);
}

static bool has_title(Display *display, Window w, const char *title) {
    char *name = nullptr;
    bool match = XFetchName(display, w, &name) && name && strcmp(name, title) == 0;
    // A window that went away after XQueryTree listed it has no name.
    if (name) XFree(name);
    return match;
}

Window wait_for_window(Display *display, const char *title, double seconds) {
    double deadline = seconds_now() + seconds;
    do {
        Window root_return, parent, *children = nullptr;
        unsigned count = 0;
        Window found = 0;
        if (XQueryTree(display, DefaultRootWindow(display), &root_return, &parent, &children,
                       &count)) {
            for (unsigned i = 0; i < count && !found; i++)
                if (has_title(display, children[i], title)) found = children[i];
            if (children) XFree(children);
        }
        if (found) return found;
        usleep(20000);
    } while (seconds_now() < deadline);
    return 0;
}

bool wait_for_focus(Display *display, Window window, double seconds) {
    double deadline = seconds_now() + seconds;
    do {
        Window focus;
        int revert;
        XGetInputFocus(display, &focus, &revert);
        if (focus == window) return true;
        usleep(20000);
    } while (seconds_now() < deadline);
    return false;
}

void send_key(Display *display, unsigned long keysym, bool down) {
    KeyCode code = XKeysymToKeycode(display, keysym);
    XTestFakeKeyEvent(display, code, down, CurrentTime);
    XFlush(display);
}

void move_pointer(Display *display, int x, int y) {
    XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
    XFlush(display);
}

Screenshot grab_screen(Display *display) {
    Screenshot shot;
    Window root = DefaultRootWindow(display);
    XWindowAttributes attributes;
    XGetWindowAttributes(display, root, &attributes);
    XImage *image =
        XGetImage(display, root, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (!image) return shot;
    shot.width = attributes.width;
    shot.height = attributes.height;
    shot.rgb.resize((size_t)shot.width * shot.height * 3);
    for (int y = 0; y < shot.height; y++)
        for (int x = 0; x < shot.width; x++) {
            unsigned long pixel = XGetPixel(image, x, y);
            uint8_t *p = &shot.rgb[((size_t)y * shot.width + x) * 3];
            p[0] = (pixel >> 16) & 0xFF;
            p[1] = (pixel >> 8) & 0xFF;
            p[2] = pixel & 0xFF;
        }
    XDestroyImage(image);
    return shot;
}

int count_differences(const Screenshot &a, const Screenshot &b, int x0, int y0, int x1, int y1) {
    if (a.width != b.width || a.height != b.height) return -1;
    if (x1 < 0) x1 = a.width;
    if (y1 < 0) y1 = a.height;
    int count = 0;
    for (int y = y0; y < y1; y++)
        for (int x = x0; x < x1; x++) count += memcmp(a.at(x, y), b.at(x, y), 3) != 0;
    return count;
}

void tap_key(Display *display, unsigned long keysym, int hold_ms) {
    send_key(display, keysym, true);
    usleep(hold_ms * 1000);
    send_key(display, keysym, false);
}

// Windows come and go while the tests look at them: asking about one that
// has just been destroyed is no reason to end the test program.
static int ignore_x_error(Display *, XErrorEvent *) {
    return 0;
}

void GameTest::SetUp() {
    ASSERT_NE(getenv("DISPLAY"), nullptr) << "end-to-end tests need an X server (tests/with-xvfb)";
    XSetErrorHandler(ignore_x_error);
    display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    dir = make_scratch_dir();
    ASSERT_FALSE(dir.empty());
}

void GameTest::TearDown() {
    if (is_running(&game)) {
        kill(game.pid, SIGKILL);
        wait_for_exit(&game, 5);
    }
    // The next test must not mistake this game's window for its own.
    double deadline = seconds_now() + 5;
    while (display && wait_for_window(display, "Vorlanx [Quillmark]", 0) &&
           seconds_now() < deadline)
        usleep(20000);
    if (display) XCloseDisplay(display);
    std::string command = "rm -rf " + dir;
    ASSERT_EQ(system(command.c_str()), 0);
}

void GameTest::start_and_wait_for_window() {
    game = start_game(dir);
    window = wait_for_window(display, "Vorlanx [Quillmark]", 20);
    ASSERT_NE(window, 0u) << "no game window; stderr: " << read_text(dir + "/err.txt");
    ASSERT_TRUE(wait_for_focus(display, window, 10)) << "the game window never got the focus";
    // Keys pressed before the frame loop runs would be pressed and released
    // within its first pump, and so never seen: wait until frames show the
    // sky-blue background behind the tube.
    double deadline = seconds_now() + 20;
    bool drawing = false;
    while (!drawing && seconds_now() < deadline) {
        Screenshot shot = grab_screen(display);
        int sky = 0;
        for (int y = 0; y < shot.height; y += 16)
            for (int x = 0; x < shot.width; x += 16) {
                const uint8_t *p = shot.at(x, y);
                sky += p[0] == 102 && p[1] == 153 && p[2] == 255;
            }
        drawing = sky > 20;
        if (!drawing) usleep(50000);
    }
    ASSERT_TRUE(drawing) << "the game never drew a frame";
    usleep(200000);
}
