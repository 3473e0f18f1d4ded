#include "command_line.h"

#include <cstdlib>
#include <cstring>

#include "allocation.h"

char *join_arguments(int argc, char **argv) {
    size_t total = 0;
    for (int i = 0; i < argc; i++) total += strlen(argv[i]) + 1;
    // One byte more than the arguments need, so that even no arguments give
    // a terminated string.
    char *line = (char *)checked_malloc(total + 1);
    char *end = line;
    for (int i = 0; i < argc; i++) {
        size_t length = strlen(argv[i]);
        memcpy(end, argv[i], length);
        end += length;
        if (i + 1 < argc) *end++ = ' ';
    }
    *end = 0;
    return line;
}
