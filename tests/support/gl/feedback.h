// Captures the vertices GL would draw, with glRenderMode(GL_FEEDBACK), in
// the coordinates they were sent in.
#pragma once

#include <GL/gl.h>
#include <functional>
#include <vector>

struct FeedbackVertex {
    float x, y, z;
    float r, g, b, a;
    float s, t;
};
using FeedbackPolygon = std::vector<FeedbackVertex>;

template <typename Place>
std::vector<FeedbackPolygon> parse_feedback(const std::vector<GLfloat> &buffer, GLint used,
                                            Place place);

// Runs draw with a projection that maps object coordinates within +-scale
// straight to the window, and reads back every polygon in object
// coordinates.  Lines and points are skipped.
// With scale 0 the matrices are left alone and the vertices come back in
// window coordinates (origin bottom left).
inline std::vector<FeedbackPolygon> capture_polygons(const std::function<void()> &draw,
                                                     float scale = 10.0f) {
    static std::vector<GLfloat> buffer(1 << 22);
    if (scale == 0) {
        glFeedbackBuffer((GLsizei)buffer.size(), GL_3D_COLOR_TEXTURE, buffer.data());
        glRenderMode(GL_FEEDBACK);
        draw();
        GLint used = glRenderMode(GL_RENDER);
        return parse_feedback(buffer, used, [](const GLfloat *p, FeedbackVertex *v) {
            v->x = p[0];
            v->y = p[1];
            v->z = p[2];
        });
    }
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glScalef(1 / scale, 1 / scale, 1 / scale);
    glPushAttrib(GL_VIEWPORT_BIT);
    glViewport(0, 0, 200, 200);
    glFeedbackBuffer((GLsizei)buffer.size(), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    GLint used = glRenderMode(GL_RENDER);
    glPopAttrib();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();

    return parse_feedback(buffer, used, [scale](const GLfloat *p, FeedbackVertex *v) {
        v->x = (p[0] - 100) / 100 * scale;
        v->y = (p[1] - 100) / 100 * scale;
        v->z = (p[2] * 2 - 1) * scale;
    });
}

// Splits a GL_3D_COLOR_TEXTURE feedback buffer into polygons; place turns
// a vertex's window position into the caller's coordinates.
template <typename Place>
std::vector<FeedbackPolygon> parse_feedback(const std::vector<GLfloat> &buffer, GLint used,
                                            Place place) {
    auto vertex = [&](GLint at) {
        FeedbackVertex v;
        place(&buffer[at], &v);
        v.r = buffer[at + 3];
        v.g = buffer[at + 4];
        v.b = buffer[at + 5];
        v.a = buffer[at + 6];
        v.s = buffer[at + 7];
        v.t = buffer[at + 8];
        return v;
    };
    const int per_vertex = 3 + 4 + 4;
    std::vector<FeedbackPolygon> polygons;
    for (GLint at = 0; at < used;) {
        GLint token = (GLint)buffer[at++];
        if (token == GL_POLYGON_TOKEN) {
            GLint n = (GLint)buffer[at++];
            FeedbackPolygon polygon;
            for (GLint i = 0; i < n; i++, at += per_vertex) polygon.push_back(vertex(at));
            polygons.push_back(polygon);
        } else if (token == GL_POINT_TOKEN || token == GL_BITMAP_TOKEN ||
                   token == GL_DRAW_PIXEL_TOKEN || token == GL_COPY_PIXEL_TOKEN) {
            at += per_vertex;
        } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            at += 2 * per_vertex;
        } else if (token == GL_PASS_THROUGH_TOKEN) {
            at += 1;
        } else {
            break;
        }
    }
    return polygons;
}

// Mesa feeds a quad back as the triangles (v0 v1 v3) and (v1 v2 v3); joins
// such pairs back into quads in the order the vertices were sent.
inline std::vector<FeedbackPolygon> join_quads(const std::vector<FeedbackPolygon> &polygons) {
    std::vector<FeedbackPolygon> quads;
    for (size_t i = 0; i < polygons.size(); i++) {
        if (polygons[i].size() == 4) {
            quads.push_back(polygons[i]);
        } else if (polygons[i].size() == 3 && i + 1 < polygons.size()) {
            const FeedbackPolygon &a = polygons[i], &b = polygons[i + 1];
            quads.push_back({a[0], a[1], b[1], a[2]});
            i++;
        }
    }
    return quads;
}
