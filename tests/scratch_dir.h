// A fixture that runs each test in a fresh empty working directory, for the
// files the code under test writes there (score and log files).
#pragma once

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

class ScratchDirTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/spinwell_test_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        ASSERT_EQ(getcwd(old_dir, sizeof old_dir), old_dir);
        ASSERT_EQ(chdir(dir.c_str()), 0);
    }
    void TearDown() override {
        ASSERT_EQ(chdir(old_dir), 0);
        std::string command = "rm -rf " + dir;
        ASSERT_EQ(system(command.c_str()), 0);
    }
    static std::string read_file(const char *path) {
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::string dir;
    char old_dir[PATH_MAX];
};
