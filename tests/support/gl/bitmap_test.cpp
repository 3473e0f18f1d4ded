#include "bitmap.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "bmp_builder.h"

namespace {

// Decodes from an exact-size heap copy, so that reading past the end is
// caught by the address sanitizer.
Bitmap decode(const std::vector<uint8_t> &file, size_t length = SIZE_MAX) {
    if (length == SIZE_MAX) length = file.size();
    uint8_t *copy = (uint8_t *)malloc(length ? length : 1);
    memcpy(copy, file.data(), length);
    Bitmap image = decode_bmp(copy, length);
    free(copy);
    return image;
}

void expect_empty(const Bitmap &image, const char *what) {
    EXPECT_EQ(image.width, 0u) << what;
    EXPECT_EQ(image.height, 0u) << what;
    EXPECT_EQ(image.bytes_per_pixel, 0) << what;
    EXPECT_EQ(image.pixels, nullptr) << what;
    EXPECT_EQ(image.palette, nullptr) << what;
}

TEST(DecodeBmp, RowsComeOutTopFirstWithoutTheirPadding) {
    BmpFields fields;
    fields.width = 3; // 9 bytes a row, 12 in the file
    fields.height = 2;
    Bitmap image = decode(make_bmp(fields));
    ASSERT_EQ(image.width, 3u);
    ASSERT_EQ(image.height, 2u);
    ASSERT_EQ(image.bytes_per_pixel, 3);
    EXPECT_EQ(image.palette, nullptr);
    for (int k = 0; k < 9; k++) {
        EXPECT_EQ(image.pixels[k], 16 + k) << "top row is the file's last";
        EXPECT_EQ(image.pixels[9 + k], k) << "bottom row is the file's first";
    }
    release_bitmap(&image);
}

TEST(DecodeBmp, TopDownFilesComeOutUpright) {
    BmpFields fields;
    fields.width = 1;
    fields.height = -3;
    fields.bits = 32;
    Bitmap image = decode(make_bmp(fields));
    ASSERT_EQ(image.height, 3u);
    ASSERT_EQ(image.bytes_per_pixel, 4);
    EXPECT_EQ(image.pixels[0], 0);      // the file's first row is the top
    EXPECT_EQ(image.pixels[2 * 4], 32); // and its last the bottom
    release_bitmap(&image);
}

TEST(DecodeBmp, EightBitPalettes) {
    BmpFields fields;
    fields.bits = 8;
    fields.width = 4;
    fields.height = 1;
    fields.colours_used = 16;
    std::vector<uint8_t> file = make_bmp(fields);
    ASSERT_EQ(file[10], 118); // 54 + 16 entries
    Bitmap image = decode(file);
    ASSERT_EQ(image.bytes_per_pixel, 1);
    ASSERT_NE(image.palette, nullptr);
    EXPECT_EQ(image.palette[15 * 4 + 2], 17);
    for (int i = 16 * 4; i < 1024; i++) ASSERT_EQ(image.palette[i], 0) << i;
    EXPECT_EQ(memcmp(image.pixels, "\x00\x01\x02\x03", 4), 0);
    release_bitmap(&image);

    fields.colours_used = 0; // all 256 entries, data from 1078
    file = make_bmp(fields);
    ASSERT_EQ(file[10] | file[11] << 8, 1078);
    image = decode(file);
    ASSERT_NE(image.palette, nullptr);
    EXPECT_EQ(image.palette[255 * 4], 255);
    EXPECT_EQ(image.pixels[3], 3);
    release_bitmap(&image);
}

TEST(DecodeBmp, SixteenAndThirtyTwoBitPixelsKeepTheirBytes) {
    for (uint16_t bits : {16, 32}) {
        BmpFields fields;
        fields.bits = bits;
        fields.width = 3;
        fields.height = 1;
        Bitmap image = decode(make_bmp(fields));
        ASSERT_EQ(image.bytes_per_pixel, bits / 8);
        for (int k = 0; k < 3 * bits / 8; k++) EXPECT_EQ(image.pixels[k], k);
        release_bitmap(&image);
    }
}

TEST(DecodeBmp, LaterHeaderVersionsPutThePaletteAfterThem) {
    BmpFields fields;
    fields.bits = 8;
    fields.colours_used = 2;
    fields.header_size = 124;
    Bitmap image = decode(make_bmp(fields));
    ASSERT_EQ(image.bytes_per_pixel, 1);
    EXPECT_EQ(image.palette[4 + 2], 3);
    release_bitmap(&image);
}

TEST(DecodeBmp, RefusesWhatItCannotDecode) {
    BmpFields good;
    good.width = 5;
    good.height = 3;
    std::vector<uint8_t> base = make_bmp(good);

    // Cut short anywhere: inside a header field, the palette or a row.
    for (size_t length = 0; length < base.size(); length++) {
        Bitmap image = decode(base, length);
        // A file missing only its last row's padding is still whole.
        if (length >= base.size() - 1) {
            EXPECT_EQ(image.width, 5u);
            release_bitmap(&image);
        } else {
            expect_empty(image, ("cut at " + std::to_string(length)).c_str());
        }
    }

    struct Case {
        const char *what;
        size_t at;
        uint32_t value;
        int bytes;
    };
    const Case cases[] = {
        {"signature", 0, 'X', 1},
        {"header too small", 14, 12, 4},
        {"header past the end", 14, 0x7FFFFFF0, 4},
        {"one bit", 28, 1, 2},
        {"four bits", 28, 4, 2},
        {"twelve bits", 28, 12, 2},
        {"compressed", 30, 1, 4},
        {"bit fields", 30, 3, 4},
        {"zero width", 18, 0, 4},
        {"negative width", 18, (uint32_t)-5, 4},
        {"zero height", 22, 0, 4},
        {"INT_MIN height", 22, 0x80000000u, 4},
        {"huge width", 18, 0x7FFFFFFF, 4},
        {"huge height", 22, 0x40000000, 4},
        {"square too big", 18, BMP_MAX_SIDE + 1, 4},
        {"data offset past the end", 10, 0xFFFFFFF0u, 4},
        {"data offset inside the header", 10, 20, 4},
        {"rows past the end", 22, 4, 4},
    };
    for (const Case &c : cases) {
        std::vector<uint8_t> file = base;
        put_le(file, c.at, c.value, c.bytes);
        expect_empty(decode(file), c.what);
    }

    // Width x height x bytes overflowing 32 bits, within the side limit.
    std::vector<uint8_t> file = base;
    put_le(file, 18, BMP_MAX_SIDE, 4);
    put_le(file, 22, BMP_MAX_SIDE, 4);
    put_le(file, 28, 32, 2);
    expect_empty(decode(file), "product over the size limit");

    BmpFields palette;
    palette.bits = 8;
    palette.colours_used = 16;
    file = make_bmp(palette);
    put_le(file, 46, 257, 4);
    expect_empty(decode(file), "more than 256 colours");
    put_le(file, 46, 200, 4); // the palette would run into the pixels
    expect_empty(decode(file), "palette past the data offset");

    expect_empty(decode_bmp(nullptr, 100), "absent input");
}

} // namespace
