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
    void TearDown() override { close_graphics_window(); }
};
