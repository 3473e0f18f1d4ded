// Runs the real game binary on the test's X server and plays it with real
// key presses (XTest).  Every wait here is bounded.
#pragma once

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <cstdint>
#include <string>
#include <vector>
#include <sys/types.h>

double seconds_now();

// A scratch directory, removed by the fixture.
std::string make_scratch_dir();
std::string read_text(const std::string &path);

// The game, started in its own working directory with standard output and
// error going to out.txt and err.txt there.
struct GameRun {
    pid_t pid = -1;
    std::string dir;
    int status = -1; // as from waitpid, once it has ended
};

GameRun start_game(const std::string &dir, bool with_display = true);
// Waits up to the given time for the game to end; true when it did.
bool wait_for_exit(GameRun *run, double seconds);
bool is_running(GameRun *run);

// The top-level window with this title, or 0 if none appears in time.
Window wait_for_window(Display *display, const char *title, double seconds);
// Waits until the window has the keyboard focus.
bool wait_for_focus(Display *display, Window window, double seconds);

void send_key(Display *display, unsigned long keysym, bool down);
void move_pointer(Display *display, int x, int y);

// The whole screen as RGB bytes, top row first.
struct Screenshot {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
    const uint8_t *at(int x, int y) const { return &rgb[((size_t)y * width + x) * 3]; }
};
Screenshot grab_screen(Display *display);
// Pixels that differ between two screenshots, within a rectangle (the whole
// screen by default).
int count_differences(const Screenshot &a, const Screenshot &b, int x0 = 0, int y0 = 0, int x1 = -1,
                      int y1 = -1);
void tap_key(Display *display, unsigned long keysym, int hold_ms = 100);

// Tests that start the game: a display connection and a scratch directory.
class GameTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Starts the game and waits until its window has the focus.
    void start_and_wait_for_window();

    Display *display = nullptr;
    GameRun game;
    std::string dir;
    Window window = 0;
};
