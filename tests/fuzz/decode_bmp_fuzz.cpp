// Fuzz target: decode_bmp on arbitrary bytes must never read past them, and
// what it returns must be self-consistent.
#include <cstdlib>
#include <cstring>

#include "bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    // A private copy of exactly the given length, so that a read past the
    // end lands outside the allocation.
    uint8_t *copy = (uint8_t *)malloc(size ? size : 1);
    if (size) memcpy(copy, data, size);
    Bitmap image = decode_bmp(copy, size);
    if (image.pixels) {
        size_t bytes = (size_t)image.width * image.height * image.bytes_per_pixel;
        volatile uint8_t sink = 0;
        for (size_t i = 0; i < bytes; i += 97) sink = sink + image.pixels[i];
        if (image.bytes_per_pixel == 1) sink = sink + image.palette[1023];
        (void)sink;
    } else if (image.width || image.height || image.bytes_per_pixel || image.palette) {
        abort(); // an empty record must be wholly empty
    }
    release_bitmap(&image);
    free(copy);
    return 0;
}
