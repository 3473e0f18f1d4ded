#include "command_line.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(CommandLine, JoinsEveryArgumentWithSingleBlanks) {
    char name[] = "spinwell", a[] = "a", b[] = "b c";
    char *argv[] = {name, a, b};
    char *line = join_arguments(3, argv);
    EXPECT_STREQ(line, "spinwell a b c");
    free(line);

    line = join_arguments(1, argv);
    EXPECT_STREQ(line, "spinwell");
    free(line);
}

TEST(CommandLine, NoArgumentsGiveAnEmptyString) {
    char *line = join_arguments(0, nullptr);
    EXPECT_STREQ(line, "");
    free(line);
    char empty[] = "";
    char *argv[] = {empty, empty};
    line = join_arguments(2, argv);
    EXPECT_STREQ(line, " ");
    free(line);
}
