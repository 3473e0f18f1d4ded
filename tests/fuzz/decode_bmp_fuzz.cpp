// Fuzz target: decode_bmp on arbitrary bytes never reads past them, and what
// it returns is self-consistent.
#include <cstdlib>
#include <cstring>

#include "bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    uint8_t *copy = (uint8_t *)malloc(size + !size); // a read past the end leaves the block
    memcpy(copy, data, size);
    Bitmap image = decode_bmp(copy, size);
    volatile uint8_t sink = 0;
    size_t bytes = (size_t)image.width * image.height * image.bytes_per_pixel;
    for (size_t i = 0; image.pixels && i < bytes; i += 97) sink = sink + image.pixels[i];
    if (image.bytes_per_pixel == 1) sink = sink + image.palette[1023];
    if (!image.pixels && (image.width || image.height || image.bytes_per_pixel || image.palette))
        abort(); // an empty record must be wholly empty
    release_bitmap(&image);
    free(copy);
    return 0;
}
