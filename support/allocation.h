// Allocation that never comes back empty.
//
// Most of the program's buffers are made once at start-up, some of them sized
// by images and fonts (a texture can reach a gigabyte).  When memory runs
// out, the player gets a fatal report naming the size instead of a crash on
// a null pointer somewhere further on.
#pragma once

#include <cstddef>

void *checked_malloc(size_t bytes);
void *checked_calloc(size_t count, size_t size);
char *checked_strdup(const char *text);
