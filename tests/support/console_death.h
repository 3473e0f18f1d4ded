// Death tests of console reports: the report handler prints to standard
// output, while gtest matches what a dying statement wrote to standard error.
#pragma once

#include <cstdio>
#include <unistd.h>

#define ON_STDERR(statement)                                                                       \
    do {                                                                                           \
        fflush(stdout);                                                                            \
        dup2(2, 1);                                                                                \
        statement;                                                                                 \
    } while (0)
