#include "builtin_font.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>

// The expanded font byte for byte (hashed).
TEST(BuiltinFont, ExpandsByteForByteToTheKnownGlyphs) {
    uint32_t length = 0, hash = 2166136261u;
    uint8_t *font = unpack_builtin_font(&length);
    for (uint32_t i = 0; i < length; i++) hash = (hash ^ font[i]) * 16777619u;
    EXPECT_EQ(std::make_pair(length, hash), std::make_pair(69856u, 3005948602u));
    free(font);
}
