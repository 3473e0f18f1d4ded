#include "scene.h"

#include <cmath>

#include "../support/gl/gl_helpers.h"
#include "background.h"
#include "block.h"
#include "test_game.h"
#include "textures.h"
#include "view.h"

class Scene : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        start_test_game(&game, 1, SHAPE_ROW_OF_FOUR);
        game.wall_texture = make_wall_texture();
        game.block_texture = make_block_texture();
    }
    void TearDown() override { free_test_well(&game), WindowTest::TearDown(); }
    static bool near(double a, double b) { return std::fabs(a - b) < 1e-4; }
    static bool tinted(const Vertex &v, Shade colour, Shade shade) {
        return near(v.r, colour.red * shade.red) && near(v.g, colour.green * shade.green) &&
               near(v.b, colour.blue * shade.blue);
    }
};

// Every wall quad and every cell in its colour times its row's shade, the
// piece unshaded (column -1 on the angles of column 19), then the floor disc;
// the blocks' texture.
TEST_F(Scene, EveryCellIsDrawnInItsColourAndRowShade) {
    game.well[3][5] = 6;   // cyan
    game.piece_column = 0; // the row of four covers columns -1 .. 2
    game.piece_height = 35.5;
    game.view_yaw = M_PI / 3; // the camera translation (rho sin yaw, -height, -rho cos yaw),
    game.camera_height = 0;   // and stays: dt is 0
    auto polygons = capture_polygons([] { draw_scene(0.0); }, 40);
    for (auto &p : polygons)
        for (auto &v : p)
            v.x -= (float)(0.9 * TUBE_INNER_RADIUS * sin(M_PI / 3)),
                v.z += (float)(0.9 * TUBE_INNER_RADIUS * cos(M_PI / 3));
    ASSERT_GE(polygons.size(), 20u);
    std::vector<Polygon> disc(polygons.end() - 20, polygons.end());
    polygons.resize(polygons.size() - 20);
    int wall = 0, floor = 0, cyan = 0, piece = 0, wrapped = 0, other = 0;
    for (auto &q : join_quads(polygons)) {
        bool on_wall = true;
        for (auto &v : q) on_wall = on_wall && near(std::hypot(v.x, v.z), TUBE_OUTER_RADIUS);
        double a0 = std::atan2(q[0].z, q[0].x), a1 = std::atan2(q[1].z, q[1].x);
        if (q[0].y > 34.9 && tinted(q[0], {1, 0, 0}, {1, 1, 1}))
            piece++, wrapped += near(a0, -COLUMN_ANGLE) && near(a1, 0);
        else if (on_wall && q[1].s == 1 && q[2].t == 1 &&
                 tinted(q[0], {0.4, 0.5, 0.3}, row_shade((int)std::lround(q[0].y))))
            wall++;
        else if (q[0].y < 1.01 && tinted(q[0], {1, 1, 1}, row_shade(0)))
            floor++;
        else if (q[0].y > 4.99 && q[0].y < 6.01 && tinted(q[0], {0, 1, 1}, row_shade(5)))
            cyan++;
        else
            other++;
    }
    EXPECT_EQ(std::vector<int>({wall, floor, cyan, piece, other}),
              std::vector<int>({400, 20 * 5, 5, 4 * 5, 0}));
    EXPECT_GE(wrapped, 1);
    for (auto &t : disc)
        EXPECT_TRUE(t.size() == 3 && near(t[0].x + t[0].y + t[0].z, 0)) << "the floor disc";
    std::vector<uint8_t> block(BLOCK_TEXTURE_SIZE * BLOCK_TEXTURE_SIZE * 3), bevel(block.size());
    glBindTexture(GL_TEXTURE_2D, game.block_texture);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, block.data());
    fill_block_texture(bevel.data());
    EXPECT_TRUE(block == bevel) << "the blocks wear the bevel";
}

// Pumps until the window has the input focus, or has lost it.
static bool focus_is(SDL_Window *window, bool wanted) {
    for (int i = 0; i < 200; i++, SDL_Delay(10))
        if (pump_events(), !!(SDL_GetWindowFlags(window) & SDL_WINDOW_INPUT_FOCUS) == wanted)
            return true;
    return false;
}

// The projection is built for the game's angle and the window's size.
static void expect_projection(float fov, int width, int height) {
    float projection[16], expected[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    build_perspective_matrix(fov, width, height, expected);
    EXPECT_EQ(memcmp(projection, expected, sizeof expected), 0) << fov << " " << width;
}

// The mouse turns the view while playing and the pointer goes back to the
// centre; back from another window, the first frame only re-centres it.  A
// resize or a zoom rebuilds the projection from the game's angle; the next
// frame is cleared to sky blue with the view reset.
TEST_F(Scene, TheMouseTurnsTheViewAndResizesAndZoomsKeepTheGameAngle) {
    ASSERT_TRUE(focus_is(main_window, true));
    update_view();
    const int cx = screen_width / 2, cy = screen_height / 2;
    // clang-format off
    const struct { PlayState state; int dx, dy; double yaw, pitch; } cases[] = {
        {PLAYING, 100, 0, 1.5, 0}, {PLAYING, 0, 0, 1.5, 0}, {PAUSED, 100, 50, 1.5, 0},
        {GAME_OVER, -100, 20, 1.0, 0.1}, {PLAYING, 380, 290, 1.0, 0.1} /* coming back to the window */};
    // clang-format on
    game.view_yaw = 1.0;
    SDL_Window *other = SDL_CreateWindow("other", 0, 0, 64, 64, SDL_WINDOW_SHOWN);
    for (auto c : cases) {
        if (c.dx == 380) {
            SDL_SetWindowInputFocus(other);
            ASSERT_TRUE(focus_is(main_window, false));
            update_view();
            SDL_SetWindowInputFocus(main_window);
            ASSERT_TRUE(focus_is(main_window, true));
        }
        game.play_state = c.state;
        mouse_x = cx + c.dx;
        mouse_y = cy + c.dy;
        update_view();
        EXPECT_DOUBLE_EQ(game.view_yaw, c.yaw) << c.state;
        EXPECT_DOUBLE_EQ(game.view_pitch, c.pitch) << c.state;
        EXPECT_EQ(mouse_x * 10000 + mouse_y, cx * 10000 + cy) << "back to the centre";
    }
    SDL_DestroyWindow(other);
    game.fov_degrees = 120;
    SDL_Event resize = {};
    resize.window = {SDL_WINDOWEVENT, 0, 0, SDL_WINDOWEVENT_SIZE_CHANGED, 0, 0, 0, 640, 480};
    SDL_PushEvent(&resize);
    pump_events();
    update_view();
    expect_projection(120, 640, 480);
    key_down[KEY_KP_MINUS] = 1;
    update_view();
    expect_projection(110, 640, 480);
    glTranslatef(1, 2, 3);
    clear_for_next_frame(); // sky blue, the view reset
    uint8_t sky[4];
    glReadPixels(320, 240, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, sky);
    float m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    EXPECT_EQ(
        std::vector<float>({(float)sky[0], (float)sky[1], (float)sky[2], m[12] + m[13] + m[14]}),
        std::vector<float>({102, 153, 255, 0}));
}
