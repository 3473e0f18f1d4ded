#include "gl_helpers.h"

#include <cmath>

namespace {

void expect_matrix(const float *m, std::initializer_list<std::pair<int, float>> entries) {
    float expected[16] = {};
    for (auto [index, value] : entries) expected[index] = value;
    for (int i = 0; i < 16; i++) EXPECT_NEAR(m[i], expected[i], 1e-5) << "element " << i;
}

void expect_first_display_size() {
    SDL_Rect display;
    ASSERT_EQ(SDL_GetDisplayBounds(0, &display), 0);
    EXPECT_EQ(screen_width, display.w);
    EXPECT_EQ(screen_height, display.h);
}

TEST(OpenWindow, FullscreenOnTheFirstDisplay) {
    windowed_mode = false;
    mode_2d = false;
    memset(key_down, 1, KEY_SLOTS);
    memset(key_was_down, 1, KEY_SLOTS);
    ASSERT_EQ(open_graphics_window(0, 0, "Vorlanx [Quillmark]"), 1) << window_error;
    expect_first_display_size();
    EXPECT_TRUE(SDL_GetWindowFlags(main_window) & SDL_WINDOW_FULLSCREEN);
    EXPECT_STREQ(SDL_GetWindowTitle(main_window), "Vorlanx [Quillmark]");
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    for (int i = 0; i < KEY_SLOTS; i++) {
        ASSERT_EQ(key_down[i], 0) << i;
        ASSERT_EQ(key_was_down[i], 0) << i;
    }
    // The initial pipeline state.
    GLint func;
    glGetIntegerv(GL_DEPTH_FUNC, &func);
    EXPECT_EQ(func, GL_LEQUAL);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
    GLint shade;
    glGetIntegerv(GL_SHADE_MODEL, &shade);
    EXPECT_EQ(shade, GL_SMOOTH);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], screen_width);
    EXPECT_EQ(viewport[3], screen_height);
    float m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    expect_matrix(m, {{0, 1}, {5, 1}, {10, 1}, {15, 1}});
    keep_gl_driver_loaded();
    close_graphics_window();
}

TEST(OpenWindow, DisplayNumberOutOfRangeFallsBackToTheFirst) {
    windowed_mode = false;
    ASSERT_EQ(open_graphics_window(0, 2, "t"), 1) << window_error;
    expect_first_display_size();
    keep_gl_driver_loaded();
    close_graphics_window();
}

TEST(OpenWindow, WindowedModeUsesSixTenthsOfTheHeightAtFourToThree) {
    windowed_mode = true;
    ASSERT_EQ(open_graphics_window(0, 0, "t"), 1) << window_error;
    windowed_mode = false;
    SDL_Rect display;
    SDL_GetDisplayBounds(0, &display);
    int h = (int)(display.h * 0.6);
    EXPECT_EQ(screen_height, h);
    EXPECT_EQ(screen_width, 4 * h / 3);
    EXPECT_TRUE(SDL_GetWindowFlags(main_window) & SDL_WINDOW_RESIZABLE);
    EXPECT_FALSE(SDL_GetWindowFlags(main_window) & SDL_WINDOW_FULLSCREEN);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    keep_gl_driver_loaded();
    close_graphics_window();
}

TEST(OpenWindow, ExplicitSizeSpanningAndNoDisplay) {
    ASSERT_EQ(open_graphics_window(800, 600, "t"), 1) << window_error;
    EXPECT_EQ(screen_width, 800);
    EXPECT_EQ(screen_height, 600);
    keep_gl_driver_loaded();
    close_graphics_window();

    ASSERT_EQ(open_graphics_window(-1, 0, "t"), 1) << window_error;
    expect_first_display_size();
    keep_gl_driver_loaded();
    close_graphics_window();

    // Without an X server SDL would quietly pick an invisible driver.
    std::string display_name = getenv("DISPLAY");
    unsetenv("DISPLAY");
    EXPECT_EQ(open_graphics_window(0, 0, "t"), 0);
    setenv("DISPLAY", display_name.c_str(), 1);
    EXPECT_NE(strstr(window_error, "no display"), nullptr) << window_error;
}

using Projection = WindowTest;

TEST_F(Projection, WideScreenKeepsTheFourToThreeHeight) {
    set_view_size(1920, 1080);
    float m[16];
    projection(m);
    EXPECT_FLOAT_EQ(m[0], 0.75f);
    EXPECT_NEAR(m[5], 1.33333f, 1e-5);
    EXPECT_EQ(bits(m[10]), 0xBF80068Du);
    EXPECT_EQ(bits(m[14]), 0xBE4CD20Bu);
    EXPECT_EQ(m[11], -1.0f);
    EXPECT_EQ(m[15], 0.0f);
    for (int i : {1, 2, 3, 4, 6, 7, 8, 9, 12, 13}) EXPECT_EQ(m[i], 0.0f) << i;
    GLint mode;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
}

TEST_F(Projection, FourToThreeAndPortraitKeepTheHorizontalAngle) {
    float m[16];
    set_view_size(1024, 768);
    projection(m);
    EXPECT_FLOAT_EQ(m[0], 1.0f);
    EXPECT_NEAR(m[5], 1.0f / 0.75f, 1e-5);
    set_view_size(600, 800);
    projection(m);
    EXPECT_FLOAT_EQ(m[0], 1.0f);
    EXPECT_NEAR(m[5], 0.75f, 1e-6);
    // The zoom reload uses the same matrix with another angle.
    load_perspective_projection(30.0f);
    projection(m);
    EXPECT_NEAR(m[0], 1.0 / tan(15.0 * M_PI / 180), 1e-4);
}

TEST_F(Projection, ZeroHeightBecomesOne) {
    set_view_size(640, 0);
    EXPECT_EQ(screen_width, 640);
    EXPECT_EQ(screen_height, 1);
    GLint v[4];
    glGetIntegerv(GL_VIEWPORT, v);
    EXPECT_EQ(v[2], 640);
    EXPECT_EQ(v[3], 1);
    float m[16];
    projection(m);
    for (float x : m) EXPECT_TRUE(std::isfinite(x));
}

TEST_F(Projection, TwoDimensionalModeIsAPixelBox) {
    mode_2d = true;
    float m[16];
    set_view_size(800, 600);
    projection(m);
    // glOrtho(0, 800, 600, 0, 300, -300)
    expect_matrix(
        m, {{0, 2.0f / 800}, {5, -2.0f / 600}, {10, 1.0f / 300}, {12, -1}, {13, 1}, {15, 1}});
    set_view_size(800, 601); // near and far stay at 300 and -300
    projection(m);
    expect_matrix(
        m, {{0, 2.0f / 800}, {5, -2.0f / 601}, {10, 1.0f / 300}, {12, -1}, {13, 1}, {15, 1}});
    mode_2d = false;
}

TEST_F(Projection, OverlayFollowsTheViewportAndRestoresEverything) {
    set_view_size(800, 600);
    glViewport(100, 50, 400, 300);
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(1, 2, 3);
    float before_p[16], before_m[16];
    projection(before_p);
    modelview(before_m);

    begin_overlay();
    float m[16];
    projection(m);
    // glOrtho(100, 500, 550, 250, 300, -300)
    expect_matrix(m, {{0, 2.0f / 400},
                      {5, 2.0f / (250 - 550)},
                      {10, 1.0f / 300},
                      {12, -600.0f / 400},
                      {13, -(250.0f + 550) / (250 - 550)},
                      {15, 1}});
    modelview(m);
    expect_matrix(m, {{0, 1}, {5, 1}, {10, 1}, {15, 1}});
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    GLboolean mask;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
    EXPECT_EQ(mask, GL_FALSE);
    end_overlay();

    float after_p[16], after_m[16];
    projection(after_p);
    modelview(after_m);
    EXPECT_EQ(memcmp(before_p, after_p, sizeof m), 0);
    EXPECT_EQ(memcmp(before_m, after_m, sizeof m), 0);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
    EXPECT_EQ(mask, GL_TRUE);
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}

} // namespace
