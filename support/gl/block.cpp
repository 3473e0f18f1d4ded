#include "block.h"

#include <GL/gl.h>
#include <cmath>

namespace {

struct Corner {
    float x, z;
};

// The four texture corners every face shows, in vertex order.
const float FACE_S[] = {0, 1, 1, 0};
const float FACE_T[] = {0, 0, 1, 1};

void quad(const Corner *corners[4], const float *heights) {
    for (int v = 0; v < 4; v++) {
        glTexCoord2f(FACE_S[v], FACE_T[v]);
        glVertex3f(corners[v]->x, heights[v], corners[v]->z);
    }
}

enum { RING_EDGES = 21 };

} // namespace

void column_edge(int column, double *sine, double *cosine) {
    // Every frame draws hundreds of cells on the same 21 edges.
    static double edge_sine[RING_EDGES], edge_cosine[RING_EDGES];
    static bool edges_known = false;
    if (!edges_known) {
        for (int c = 0; c < RING_EDGES; c++)
            sincos(c * COLUMN_ANGLE, &edge_sine[c], &edge_cosine[c]);
        edges_known = true;
    }
    if (column >= 0 && column < RING_EDGES) {
        *sine = edge_sine[column];
        *cosine = edge_cosine[column];
    } else {
        sincos(column * COLUMN_ANGLE, sine, cosine);
    }
}

void draw_block(int column, int row) {
    double s0, c0, s1, c1;
    column_edge(column, &s0, &c0);
    column_edge(column + 1, &s1, &c1);
    const Corner i0 = {(float)(TUBE_INNER_RADIUS * c0), (float)(TUBE_INNER_RADIUS * s0)};
    const Corner i1 = {(float)(TUBE_INNER_RADIUS * c1), (float)(TUBE_INNER_RADIUS * s1)};
    const Corner o0 = {(float)(TUBE_OUTER_RADIUS * c0), (float)(TUBE_OUTER_RADIUS * s0)};
    const Corner o1 = {(float)(TUBE_OUTER_RADIUS * c1), (float)(TUBE_OUTER_RADIUS * s1)};
    const float y0 = (float)row, y1 = (float)(row + 1);

    const Corner *inner[] = {&i0, &i1, &i1, &i0};
    const float inner_h[] = {y0, y0, y1, y1};
    const Corner *cap[] = {&i0, &i1, &o1, &o0};
    const float bottom_h[] = {y0, y0, y0, y0};
    const float top_h[] = {y1, y1, y1, y1};
    const Corner *side0[] = {&i0, &i0, &o0, &o0};
    const Corner *side1[] = {&i1, &i1, &o1, &o1};
    const float side_h[] = {y0, y1, y1, y0};

    glBegin(GL_QUADS);
    quad(inner, inner_h);
    quad(cap, bottom_h);
    quad(cap, top_h);
    quad(side0, side_h);
    quad(side1, side_h);
    glEnd();
}
