#include "scene.h"

#include <cmath>
#include <vector>

#include "../support/gl/feedback.h"
#include "../support/gl/gl_helpers.h"
#include "background.h"
#include "block.h"
#include "driver.h"
#include "test_game.h"
#include "rules.h"
#include "textures.h"
#include "view.h"
#include "well.h"

namespace {

class Scene : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        start_test_game(&game, 1, SHAPE_ROW_OF_FOUR);
        game.wall_texture = make_wall_texture();
        game.block_texture = make_block_texture();
    }
    void TearDown() override {
        free_test_well(&game);
        WindowTest::TearDown();
    }
    // The scene's polygons with the camera's translation undone.
    std::vector<FeedbackPolygon> capture_scene() {
        game.view_yaw = 0;      // camera translation (0, -height, -orbit radius)
        game.camera_height = 0; // and kept there: dt is 0
        auto polygons = capture_polygons([] { draw_scene(0.0); }, 40);
        for (auto &p : polygons)
            for (auto &v : p) v.z += (float)(0.9 * TUBE_INNER_RADIUS);
        return polygons;
    }
};

bool is_floor_triangle(const FeedbackPolygon &p) {
    return p.size() == 3 && std::fabs(p[0].x) < 1e-4 && std::fabs(p[0].z) < 1e-4 &&
           std::fabs(p[0].y) < 1e-4;
}

double radius(const FeedbackVertex &v) {
    return std::hypot(v.x, v.z);
}

TEST_F(Scene, EmptyWellShowsEveryWallQuadTheFloorRingAndTheDisc) {
    game.piece_height = 35; // the piece's blocks are told apart by their height
    auto polygons = capture_scene();
    std::vector<FeedbackPolygon> rest, disc;
    for (auto &p : polygons) (is_floor_triangle(p) ? disc : rest).push_back(p);
    auto quads = join_quads(rest);

    int wall = 0, floor_faces = 0, piece_faces = 0;
    for (auto &q : quads) {
        bool on_wall = true;
        for (auto &v : q) on_wall = on_wall && std::fabs(radius(v) - TUBE_OUTER_RADIUS) < 1e-3;
        if (q[0].y >= 34.9) {
            piece_faces++;
            EXPECT_FLOAT_EQ(q[0].r, 1.0f); // red, unshaded
            EXPECT_FLOAT_EQ(q[0].g, 0.0f);
        } else if (on_wall && q[0].y != q[2].y) {
            wall++;
            int row = (int)std::lround(std::min(q[0].y, q[2].y));
            Shade s = row_shade(row);
            EXPECT_NEAR(q[0].r, 0.4 * s.red, 1e-5) << "row " << row;
            EXPECT_NEAR(q[0].g, 0.5 * s.green, 1e-5) << "row " << row;
            EXPECT_NEAR(q[0].b, 0.3 * s.blue, 1e-5) << "row " << row;
        } else {
            floor_faces++;
            EXPECT_LT(q[0].y, 1.01);
            EXPECT_NEAR(q[0].b, row_shade(0).blue, 1e-5);
        }
    }
    EXPECT_EQ(wall, 400);
    EXPECT_EQ(floor_faces, 20 * 5);
    EXPECT_EQ(piece_faces, 4 * 5);
    ASSERT_EQ(disc.size(), 20u);
    // From k = 20 down to 1: the rim from angle (k-1) pi/10 to k pi/10.
    EXPECT_NEAR(std::atan2(disc[0][1].z, disc[0][1].x), 19 * COLUMN_ANGLE - 2 * M_PI, 1e-4);
    EXPECT_NEAR(radius(disc[0][1]), TUBE_INNER_RADIUS, 1e-4);
    EXPECT_NEAR(disc[0][1].s, disc[0][1].x, 1e-4);
    EXPECT_NEAR(disc[19][2].x, TUBE_INNER_RADIUS * std::cos(COLUMN_ANGLE), 1e-4);
}

TEST_F(Scene, PieceReachingColumnMinusOneIsDrawnOnColumnNineteen) {
    game.piece_column = 0; // the row of four covers columns -1 .. 2
    game.piece_height = 30.7;
    auto quads = join_quads(capture_scene());
    bool seen = false;
    for (auto &q : quads) {
        if (q[0].y < 29.9 || q[0].y > 30.1 || q.size() != 4) continue;
        // An inner face (constant radius, two heights) at the angles of 19.
        if (std::fabs(radius(q[0]) - TUBE_INNER_RADIUS) > 1e-3) continue;
        if (std::fabs(radius(q[1]) - TUBE_INNER_RADIUS) > 1e-3) continue;
        double a0 = std::atan2(q[0].z, q[0].x), a1 = std::atan2(q[1].z, q[1].x);
        if (std::fabs(a0 + COLUMN_ANGLE) < 1e-4 && std::fabs(a1) < 1e-4) seen = true;
    }
    EXPECT_TRUE(seen) << "no block face between the angles of column 19 and 20";
}

TEST_F(Scene, SettledCellsTakeTheirColourTimesTheRowShade) {
    game.well[3][5] = 6; // cyan
    game.piece_height = 35;
    auto quads = join_quads(capture_scene());
    Shade s = row_shade(5);
    int found = 0;
    for (auto &q : quads) {
        if (std::fabs(radius(q[0]) - TUBE_INNER_RADIUS) > 1e-3 || q[0].y < 4.9 || q[0].y > 5.1)
            continue;
        double angle = std::atan2(q[0].z, q[0].x);
        if (std::fabs(angle - 3 * COLUMN_ANGLE) > 1e-4) continue;
        EXPECT_NEAR(q[0].r, 0.0, 1e-6);
        EXPECT_NEAR(q[0].g, s.green, 1e-5);
        EXPECT_NEAR(q[0].b, s.blue, 1e-5);
        found++;
    }
    EXPECT_GE(found, 1);
}

// The window pixel at which a world point appears, from GL's own matrices.
bool project(double x, double y, double z, int *px, int *py) {
    float m[16], p[16];
    GLint v[4];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    glGetIntegerv(GL_VIEWPORT, v);
    double eye[4], clip[4];
    for (int r = 0; r < 4; r++) eye[r] = m[r] * x + m[4 + r] * y + m[8 + r] * z + m[12 + r];
    for (int r = 0; r < 4; r++)
        clip[r] = p[r] * eye[0] + p[4 + r] * eye[1] + p[8 + r] * eye[2] + p[12 + r] * eye[3];
    if (clip[3] <= 0) return false;
    *px = (int)std::lround(v[0] + (clip[0] / clip[3] + 1) * v[2] / 2);
    *py = (int)std::lround(v[1] + (clip[1] / clip[3] + 1) * v[3] / 2);
    return *px >= 0 && *px < v[2] && *py >= 0 && *py < v[3];
}

void read_pixel(int x, int y, uint8_t rgb[3]) {
    glFinish();
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
}

TEST_F(Scene, PixelsShowTheBlocksAndWallWhereTheProjectionPutsThem) {
    game.well[0][19] = 1; // red, top row, just left of where the camera looks
    game.piece_height = 60;
    game.view_yaw = M_PI / 2;
    game.camera_height = 19.0;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    update_view();
    draw_scene(0.0);
    double mid = 0.5 * COLUMN_ANGLE, r = TUBE_INNER_RADIUS;
    int x, y;
    ASSERT_TRUE(project(r * std::cos(mid), 19.5, r * std::sin(mid), &x, &y));
    uint8_t rgb[3];
    read_pixel(x, y, rgb);
    EXPECT_GT(rgb[0], 60) << "the red block's face, shaded for row 19";
    EXPECT_EQ(rgb[1], 0);
    EXPECT_EQ(rgb[2], 0);

    // The empty wall next to it, in row 19 of column 1: dull green brick.
    double wall_angle = 1.5 * COLUMN_ANGLE, R = TUBE_OUTER_RADIUS;
    ASSERT_TRUE(project(R * std::cos(wall_angle), 19.5, R * std::sin(wall_angle), &x, &y));
    read_pixel(x, y, rgb);
    Shade s = row_shade(19);
    // The brick texture runs from about 0.55 to 0.85 of full brightness.
    EXPECT_NEAR(rgb[0], 255 * 0.4 * s.red * 0.7, 255 * 0.4 * s.red * 0.2);
    EXPECT_NEAR(rgb[1], 255 * 0.5 * s.green * 0.7, 255 * 0.5 * s.green * 0.2);
    EXPECT_NEAR(rgb[2], 255 * 0.3 * s.blue * 0.7, 255 * 0.3 * s.blue * 0.2);

    // The floor ring seen from low down: the brick picture tinted by row 0.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    game.camera_height = 3.0;
    update_view();
    draw_scene(0.0);
    ASSERT_TRUE(project(r * std::cos(mid), 0.5, r * std::sin(mid), &x, &y));
    read_pixel(x, y, rgb);
    Shade f = row_shade(0);
    EXPECT_NEAR(rgb[0], 255 * f.red * 0.7, 255 * f.red * 0.2);
    EXPECT_NEAR(rgb[1], 255 * f.green * 0.7, 255 * f.green * 0.2);
    EXPECT_NEAR(rgb[2], 255 * f.blue * 0.7, 255 * f.blue * 0.2);
}

TEST_F(Scene, MouseTurnsTheViewOnlyWhilePlaying) {
    for (int i = 0; i < 100 && !(SDL_GetWindowFlags(main_window) & SDL_WINDOW_INPUT_FOCUS); i++) {
        SDL_Delay(10);
        pump_events();
    }
    ASSERT_TRUE(SDL_GetWindowFlags(main_window) & SDL_WINDOW_INPUT_FOCUS);
    int cx = screen_width / 2, cy = screen_height / 2;
    game.view_yaw = 1.0;
    mouse_x = cx + 100;
    mouse_y = cy;
    update_view();
    EXPECT_DOUBLE_EQ(game.view_yaw, 1.5);
    EXPECT_EQ(mouse_x, cx) << "the pointer goes back to the centre";

    game.play_state = PAUSED;
    mouse_x = cx + 100;
    mouse_y = cy + 50;
    update_view();
    EXPECT_DOUBLE_EQ(game.view_yaw, 1.5);
    EXPECT_EQ(game.view_pitch, 0.0);
    EXPECT_EQ(mouse_x, cx);

    game.play_state = GAME_OVER;
    update_view(); // a still mouse turns nothing, in any state
    EXPECT_DOUBLE_EQ(game.view_yaw, 1.5);
}

TEST_F(Scene, ZoomReloadsTheProjectionFromTheGameAngle) {
    glLoadIdentity();
    key_down[KEY_KP_MINUS] = 1;
    key_was_down[KEY_KP_MINUS] = 0;
    update_view();
    key_down[KEY_KP_MINUS] = 0;
    EXPECT_EQ(game.fov_degrees, 80);
    float m[16], expected[16];
    glGetFloatv(GL_PROJECTION_MATRIX, m);
    build_perspective_matrix(80.0f, screen_width, screen_height, expected);
    for (int i = 0; i < 16; i++) EXPECT_FLOAT_EQ(m[i], expected[i]) << i;
}

} // namespace

namespace {

TEST_F(Scene, NextFrameIsClearedToSkyBlue) {
    clear_for_next_frame();
    float colour[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, colour);
    EXPECT_FLOAT_EQ(colour[0], 0.4f);
    EXPECT_FLOAT_EQ(colour[1], 0.6f);
    EXPECT_FLOAT_EQ(colour[2], 1.0f);
    EXPECT_FLOAT_EQ(colour[3], 0.0f);
    uint8_t rgb[3];
    read_pixel(10, 10, rgb);
    EXPECT_EQ(rgb[0], 102);
    EXPECT_EQ(rgb[1], 153);
    EXPECT_EQ(rgb[2], 255);
    float m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    EXPECT_EQ(m[12], 0.0f);
    EXPECT_EQ(m[0], 1.0f);
    // The colour is set only when it changes: the same colour again makes
    // no call.
    glClearColor(1, 0, 0, 0);
    clear_for_next_frame();
    glGetFloatv(GL_COLOR_CLEAR_VALUE, colour);
    EXPECT_FLOAT_EQ(colour[0], 1.0f);
}

} // namespace
