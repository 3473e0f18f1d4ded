// Files built into the program at compile time (see CMakeLists.txt).
#pragma once

#include <cstddef>
#include <cstdint>

// assets/bricks.bmp: the tube's wall picture.
extern const uint8_t brick_bmp[];
extern const size_t brick_bmp_size;
