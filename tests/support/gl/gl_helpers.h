// Opens real windows with real GL contexts on the test's X server.
#pragma once

#include <gtest/gtest.h>

#include <GL/gl.h>
#include <cstring>
#include <dlfcn.h>
#include <link.h>

#include "events.h"
#include "window.h"

// Mesa unloads its driver when a test closes its window, and the leak
// checker can then no longer tell the driver's own allocations from ours:
// keep the driver loaded for the whole test process.
inline void keep_gl_driver_loaded() {
    dl_iterate_phdr(
        [](struct dl_phdr_info *info, size_t, void *) {
            if (info->dlpi_name && strstr(info->dlpi_name, "_dri.so"))
                dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
}

// A fixture with an 800 x 600 perspective window open for every test.
class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(getenv("DISPLAY"), nullptr) << "GL tests need an X server (tests/with-xvfb)";
        windowed_mode = false;
        mode_2d = false;
        field_of_view = 90.0f;
        ASSERT_EQ(open_graphics_window(800, 600, "test"), 1) << window_error;
        keep_gl_driver_loaded();
    }
    void TearDown() override { close_graphics_window(); }

    static void projection(float m[16]) { glGetFloatv(GL_PROJECTION_MATRIX, m); }
    static void modelview(float m[16]) { glGetFloatv(GL_MODELVIEW_MATRIX, m); }
    static uint32_t bits(float f) {
        uint32_t b;
        memcpy(&b, &f, 4);
        return b;
    }
};
