#include "scene.h"

#include <GL/gl.h>
#include <cmath>
#include <initializer_list>

#include "block.h"
#include "game_state.h"

const double CAMERA_ORBIT_RADIUS = 0.9 * TUBE_INNER_RADIUS;

Shade row_shade(int row) {
    double d = 1 - 0.05 * row;
    return {std::exp(-2 * d), std::exp(-d), std::exp(-0.5 * d)};
}

Shade colour_of_index(int index) {
    return {(double)(index & 1), (double)((index >> 1) & 1), (double)((index >> 2) & 1)};
}

static void set_colour(Shade colour, Shade shade) {
    glColor3f((float)(colour.red * shade.red), (float)(colour.green * shade.green),
              (float)(colour.blue * shade.blue));
}

void follow_piece(double dt) {
    double e = std::exp(-3 * dt);
    game.camera_height = game.camera_height * e + game.piece_height * (1 - e);
}

// The wall behind cell (c, r): the whole picture once per cell.
static void draw_wall_quad(int c, int r) {
    double s0, c0, s1, c1;
    column_edge(c, &s0, &c0);
    column_edge(c + 1, &s1, &c1);
    float x0 = (float)(TUBE_OUTER_RADIUS * c0), z0 = (float)(TUBE_OUTER_RADIUS * s0);
    float x1 = (float)(TUBE_OUTER_RADIUS * c1), z1 = (float)(TUBE_OUTER_RADIUS * s1);
    float y0 = (float)r, y1 = (float)(r + 1);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex3f(x0, y0, z0);
    glTexCoord2f(1, 0);
    glVertex3f(x1, y0, z1);
    glTexCoord2f(1, 1);
    glVertex3f(x1, y1, z1);
    glTexCoord2f(0, 1);
    glVertex3f(x0, y1, z0);
    glEnd();
}

static void draw_well() {
    const Shade WALL = {0.4, 0.5, 0.3}, WHITE = {1, 1, 1};
    // The same twenty shades serve every column.
    Shade shades[WELL_ROWS];
    for (int r = 0; r < WELL_ROWS; r++) shades[r] = row_shade(r);
    for (int c = WELL_COLUMNS - 1; c >= 0; c--) {
        for (int r = WELL_ROWS - 1; r >= 0; r--) {
            const Shade &shade = shades[r];
            glBindTexture(GL_TEXTURE_2D, game.wall_texture);
            set_colour(WALL, shade);
            draw_wall_quad(c, r);

            int cell = game.well[c][r];
            if (cell == 0) continue;
            if (cell == FLOOR_CELL) {
                glBindTexture(GL_TEXTURE_2D, game.wall_texture);
                set_colour(WHITE, shade);
            } else {
                glBindTexture(GL_TEXTURE_2D, game.block_texture);
                set_colour(colour_of_index(cell), shade);
            }
            draw_block(c, r);
        }
    }
}

// Drawn at the row of its whole height and its unreduced columns: the block
// primitive puts column -1 on the angles of column 19.
static void draw_falling_piece() {
    glBindTexture(GL_TEXTURE_2D, game.block_texture);
    set_colour(colour_of_index(game.piece_colour), {1, 1, 1});
    int row = (int)std::floor(game.piece_height);
    for (int i = 0; i < 5; i++)
        for (int j = 0; j < 5; j++)
            if (game.piece.cell[i][j]) draw_block(game.piece_column + i - 2, row + j - 2);
}

static void draw_floor_disc() {
    const double R = TUBE_INNER_RADIUS;
    glBindTexture(GL_TEXTURE_2D, game.wall_texture);
    set_colour({1, 1, 1}, row_shade(0));
    glBegin(GL_TRIANGLES);
    for (int k = WELL_COLUMNS; k >= 1; k--) {
        glTexCoord2f(0, 0);
        glVertex3f(0, 0, 0);
        for (int edge : {k - 1, k}) {
            double s, c;
            column_edge(edge, &s, &c);
            // The picture repeats once per unit of distance across the floor.
            glTexCoord2f((float)(R * c), (float)(R * s));
            glVertex3f((float)(R * c), 0, (float)(R * s));
        }
    }
    glEnd();
}

void draw_scene(double dt) {
    follow_piece(dt);
    glTranslatef((float)(CAMERA_ORBIT_RADIUS * std::sin(game.view_yaw)), (float)-game.camera_height,
                 (float)(-CAMERA_ORBIT_RADIUS * std::cos(game.view_yaw)));
    glEnable(GL_TEXTURE_2D);
    draw_well();
    draw_falling_piece();
    draw_floor_disc();
    glDisable(GL_TEXTURE_2D);
}
