// Real GL windows on the test's X server.
#pragma once

#include <gtest/gtest.h>

#include <GL/gl.h>
#include <cstring>
#include <dlfcn.h>
#include <link.h>

#include "events.h"
#include "window.h"

// An 800 x 600 perspective window for every test.  Mesa's driver stays
// loaded, so that the leak checker can still tell its allocations apart.
class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
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
