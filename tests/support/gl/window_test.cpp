#include <cmath>

#include "gl_helpers.h"

// The projection matrix is 0 but for the given entries.
static void expect_matrix(std::initializer_list<std::pair<int, float>> entries) {
    float m[16], expected[16] = {};
    glGetFloatv(GL_PROJECTION_MATRIX, m);
    for (auto [index, value] : entries) expected[index] = value;
    for (int i = 0; i < 16; i++) EXPECT_NEAR(m[i], expected[i], 1e-5) << "element " << i;
}

using Projection = WindowTest;

// At least a 4:3 region in sight; the overlay puts everything back.
TEST_F(Projection, PerspectiveKeepsFourToThreeInSightAndTheOverlayIsAPixelBox) {
    const float n = 0.1f, f = 1000.0f, t = (float)tan(M_PI / 12);
    const struct {
        int width, height;
        float fov, x, y;
    } cases[] = {
        {1920, 1080, 90, 0.75f, 4.0f / 3}, // wider than 4:3: more at the sides
        {600, 800, 90, 1, 0.75f},
        {1024, 768, 30, 1 / t, 4 / (3 * t)},
        {640, 0, 90, 1.0f / 480, 4.0f / 3}, // the height becomes 1
    };
    for (auto c : cases) {
        set_view_size(c.width, c.height);
        load_perspective_projection(c.fov);
        expect_matrix(
            {{0, c.x}, {5, c.y}, {10, (f + n) / (n - f)}, {11, -1}, {14, 2 * f * n / (n - f)}});
    }
    mode_2d = true; // a pixel box, however often the size is set
    set_view_size(800, 600), set_view_size(800, 600), mode_2d = false;
    expect_matrix({{0, 0.0025f}, {5, -1 / 300.0f}, {10, 1 / 300.0f}, {12, -1}, {13, 1}, {15, 1}});
    glViewport(100, 50, 400, 300);
    glTranslatef(1, 2, 3);
    float before[2][16], after[2][16];
    glGetFloatv(GL_PROJECTION_MATRIX, before[0]);
    glGetFloatv(GL_MODELVIEW_MATRIX, before[1]);
    begin_overlay();
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    expect_matrix(
        {{0, 0.005f}, {5, -1 / 150.0f}, {10, 1 / 300.0f}, {12, -1.5f}, {13, 8 / 3.0f}, {15, 1}});
    end_overlay();
    glGetFloatv(GL_PROJECTION_MATRIX, after[0]);
    glGetFloatv(GL_MODELVIEW_MATRIX, after[1]);
    EXPECT_EQ(memcmp(before, after, sizeof before), 0) << "both matrices put back";
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST)) << "depth testing back on";
}

// A display number past the displays means the first; the span of the
// first display or of all of them is that one display; no key is down.
TEST_F(Projection, DisplayNumbersAndSpansOfTheOneDisplay) {
    SDL_Rect d;
    SDL_GetDisplayBounds(0, &d);
    for (auto [width, number] : {std::pair{0, 1}, {0, 2}, {-1, 1}, {-1, 0}}) {
        close_graphics_window();
        key_down['q'] = key_was_down[KEY_ANY_CTRL] = 1;
        ASSERT_EQ(open_graphics_window(width, number, "t"), 1) << window_error;
        EXPECT_EQ(std::pair(screen_width, screen_height), std::pair(d.w, d.h))
            << width << " " << number;
        EXPECT_EQ(key_down['q'], 0) << "a new window starts with no key down";
        EXPECT_EQ(key_was_down[KEY_ANY_CTRL], 0) << "nor one down before";
    }
}
