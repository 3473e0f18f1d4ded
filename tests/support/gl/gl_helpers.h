// Real GL windows on the test's X server, and what GL would draw.
#pragma once

#include <gtest/gtest.h>

#include <GL/gl.h>
#include <cstring>
#include <dlfcn.h>
#include <functional>
#include <link.h>
#include <vector>

#include "events.h"
#include "window.h"

// An 800 x 600 perspective window open for every test.  Mesa unloads its
// driver when a window closes, and the leak checker could then no longer
// tell the driver's own allocations from ours: the driver stays loaded.
class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(getenv("DISPLAY"), nullptr) << "GL tests need an X server (tests/with-xvfb)";
        mode_2d = false;
        ASSERT_EQ(open_graphics_window(800, 600, "test"), 1) << window_error;
        dl_iterate_phdr(
            [](struct dl_phdr_info *info, size_t, void *) {
                if (info->dlpi_name && strstr(info->dlpi_name, "_dri.so"))
                    dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
                return 0;
            },
            nullptr);
    }
    void TearDown() override { close_graphics_window(); }
};

struct Vertex {
    float x, y, z, r, g, b, a, s, t;
};
using Polygon = std::vector<Vertex>;

// The polygons draw sends, their vertices in object coordinates within
// +-scale of the origin, or with scale 0 in overlay pixels (y down).
inline std::vector<Polygon> capture_polygons(const std::function<void()> &draw, float scale = 10) {
    static std::vector<GLfloat> buffer(1 << 22);
    glPushAttrib(GL_VIEWPORT_BIT);
    glMatrixMode(GL_PROJECTION), glPushMatrix(), glMatrixMode(GL_MODELVIEW), glPushMatrix();
    if (scale)
        glLoadIdentity(), glScalef(1 / scale, 1 / scale, 1 / scale), glViewport(0, 0, 200, 200);
    if (scale) glMatrixMode(GL_PROJECTION), glLoadIdentity(), glMatrixMode(GL_MODELVIEW);
    glFeedbackBuffer((GLsizei)buffer.size(), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    GLint used = glRenderMode(GL_RENDER);
    glPopMatrix(), glMatrixMode(GL_PROJECTION), glPopMatrix(), glMatrixMode(GL_MODELVIEW),
        glPopAttrib();
    std::vector<Polygon> polygons;
    for (GLint at = 0; at < used;) {
        EXPECT_EQ((GLint)buffer[at++], GL_POLYGON_TOKEN) << "only polygons are drawn";
        polygons.emplace_back((size_t)buffer[at++]);
        for (Vertex &v : polygons.back()) {
            memcpy(&v, &buffer[at], sizeof v), at += 11; // x y z, r g b a, s t r q
            float &x = v.x, &y = v.y, &z = v.z;
            if (scale)
                x = (x - 100) / 100 * scale, y = (y - 100) / 100 * scale, z = (z * 2 - 1) * scale;
            else
                y = (float)screen_height - y;
        }
    }
    return polygons;
}

// Mesa feeds a quad back as the triangles (v0 v1 v3) and (v1 v2 v3); joins
// them back into quads with their vertices in the order they were sent.
inline std::vector<Polygon> join_quads(const std::vector<Polygon> &triangles) {
    std::vector<Polygon> quads;
    for (size_t i = 0; i + 1 < triangles.size(); i += 2)
        quads.push_back({triangles[i][0], triangles[i][1], triangles[i + 1][1], triangles[i][2]});
    return quads;
}
