#pragma once

#include <gtest/gtest.h>

#include <GL/gl.h>

#include "events.h"
#include "window.h"

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        mode_2d = false;
        ASSERT_EQ(open_graphics_window(800, 600, "test"), 1) << window_error;
    }
    void TearDown() override {
        GLint depth = 0;
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
        EXPECT_EQ(std::pair(glGetError(), depth), std::pair(0u, 1)) << "GL errors, matrices";
        close_graphics_window();
    }
};
