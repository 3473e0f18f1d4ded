#include "command_line.h"

#include <gtest/gtest.h>

// One blank between arguments, even empty ones; none after the last.
TEST(CommandLine, JoinsTheArgumentsWithSingleBlanks) {
    char name[] = "spinwell", empty[] = "", option[] = "-x";
    char *argv[] = {name, empty, option, nullptr};
    for (auto [argc, joined] : {std::pair{3, "spinwell  -x"}, {0, ""}}) {
        char *line = join_arguments(argc, argv);
        EXPECT_STREQ(line, joined) << argc << " arguments";
        free(line);
    }
}
