// Files built into the program at compile time (see CMakeLists.txt).
#pragma once

#include <cstddef>
#include <cstdint>

// assets/bricks.bmp: the tube's wall picture.
extern const uint8_t brick_bmp[];
extern const size_t brick_bmp_size;

// assets/icon.bmp: the window's icon, the 64-pixel application icon.
extern const uint8_t icon_bmp[];
extern const size_t icon_bmp_size;
