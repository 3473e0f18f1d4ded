#include "allocation.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "report.h"

// The report itself may need a little memory (its stack is made on first
// use).  Should that fail too, the second failure comes back here, and the
// message goes straight to standard error instead of round again.
[[noreturn]] static void out_of_memory(size_t bytes) {
    static char message[96];
    static bool reporting = false;
    snprintf(message, sizeof message, "Out of memory: could not allocate %zu bytes", bytes);
    if (!reporting) {
        reporting = true;
        report_inner(__FILE__, __LINE__, REPORT_FATAL, message, 0);
    }
    fprintf(stderr, "%s\n", message);
    exit(1);
}

void *checked_malloc(size_t bytes) {
    void *block = malloc(bytes ? bytes : 1);
    if (!block) out_of_memory(bytes);
    return block;
}

void *checked_calloc(size_t count, size_t size) {
    if (size && count > SIZE_MAX / size) out_of_memory(SIZE_MAX);
    void *block = calloc(count ? count : 1, size ? size : 1);
    if (!block) out_of_memory(count * size);
    return block;
}

char *checked_strdup(const char *text) {
    size_t length = strlen(text);
    char *copy = (char *)checked_malloc(length + 1);
    memcpy(copy, text, length + 1);
    return copy;
}
