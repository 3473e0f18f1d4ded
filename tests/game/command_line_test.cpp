#include "command_line.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

// Every argument, the program's name first, joined by single blanks.
TEST(CommandLine, ArgumentsAreJoinedBySingleBlanks) {
    char name[] = "spinwell", a[] = "a", empty[] = "", b[] = "b c";
    char *argv[] = {name, a, empty, b};
    const struct {
        int argc;
        std::string line;
    } cases[] = {{4, "spinwell a  b c"}, {1, "spinwell"}, {0, ""}, {-1, ""}};
    for (const auto &c : cases) {
        char *line = join_arguments(c.argc, argv);
        EXPECT_EQ(line, c.line) << c.argc << " arguments";
        free(line);
    }
}
