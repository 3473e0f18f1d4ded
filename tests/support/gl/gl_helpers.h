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

// The top-left corner, in overlay pixels (y down), of each quad that draw
// sends.  Mesa feeds a quad back as two triangles; the first vertex of the
// first triangle is the quad's first.
inline std::vector<std::pair<float, float>> quad_corners(const std::function<void()> &draw) {
    static std::vector<GLfloat> buffer(1 << 20);
    glFeedbackBuffer((GLsizei)buffer.size(), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    GLint used = glRenderMode(GL_RENDER);
    std::vector<std::pair<float, float>> corners;
    for (GLint at = 0, triangle = 0; at < used; triangle++) {
        EXPECT_EQ((GLint)buffer[at++], GL_POLYGON_TOKEN) << "only polygons are drawn";
        GLint vertices = (GLint)buffer[at++];
        if (triangle % 2 == 0)
            corners.emplace_back(buffer[at], (float)screen_height - buffer[at + 1]);
        at += vertices * 3;
    }
    return corners;
}
