#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

using testing::internal::RE;

inline std::string read_file(const char *path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), {}};
}

class ScratchDirTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/spinwell_test_XXXXXX";
        ASSERT_TRUE(mkdtemp(pattern) && getcwd(old_dir, sizeof old_dir) && chdir(pattern) == 0);
        dir = pattern;
    }
    void TearDown() override { ASSERT_EQ(chdir(old_dir) + system(("rm -rf " + dir).c_str()), 0); }
    std::string dir;
    char old_dir[4096];
};

// The time stamp of the score log and the log files: "%Y-%b-%d %H:%M:%S".
#define LOG_TIME "[0-9]{4}-[A-Z][a-z][a-z]-[0-3][0-9] [0-2][0-9]:[0-5][0-9]:[0-6][0-9]"

// Death tests match standard error; reports go to standard output.
#define ON_STDERR(statement) (fflush(stdout), dup2(2, 1), statement)
