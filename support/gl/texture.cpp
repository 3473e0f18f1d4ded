#include "texture.h"

#include <GL/glext.h>
#include <GL/glx.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "allocation.h"

int use_unsized_formats = 1;
int mipmap_extension_state = -1;
GenerateMipmapEntry generate_mipmap_entry;
uint32_t mipmap_entry_lookups;

// A component count GL has no format for is taken as RGB.
static int known_components(int n) {
    return n >= 1 && n <= 4 ? n : 3;
}

GLenum pixel_format_for(int n) {
    static const GLenum formats[] = {GL_LUMINANCE, GL_LUMINANCE_ALPHA, GL_RGB, GL_RGBA};
    return formats[known_components(n) - 1];
}

GLint internal_format_for(int n) {
    static const GLint sized[] = {GL_LUMINANCE8, GL_LUMINANCE8_ALPHA8, GL_RGB8, GL_RGBA8};
    n = known_components(n);
    return use_unsized_formats ? n : sized[n - 1];
}

void discard_gl_errors() {
    for (int i = 0; i < 32 && glGetError() != GL_NO_ERROR; i++) {
    }
}

uint32_t power_of_two_at_least(uint32_t v) {
    uint32_t p = 1;
    while (p < v) p <<= 1;
    return p;
}

uint32_t new_texture_name() {
    GLuint name;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    // The environment belongs to the texture unit: from here on all textured
    // drawing is tinted by the current colour.
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    return name;
}

uint32_t create_texture_from_bitmap(uint32_t *width, uint32_t *height, Bitmap image) {
    uint32_t name = new_texture_name();

    // An image with nothing in it shows as a single dark texel instead.
    uint8_t placeholder[] = {128, 0, 0, 0};
    if (image.bytes_per_pixel == 0) image.bytes_per_pixel = 3;
    if (image.width == 0 || image.height == 0 || !image.pixels) {
        image.width = 1;
        image.height = 1;
        image.pixels = placeholder;
    }
    int n = image.bytes_per_pixel;
    uint32_t w = power_of_two_at_least(image.width), h = power_of_two_at_least(image.height);
    if (width) *width = w;
    if (height) *height = h;

    uint32_t stride = aligned_row_bytes(w, n);
    uint8_t *buffer = (uint8_t *)checked_calloc((size_t)h, stride);
    for (uint32_t r = 0; r < image.height; r++) {
        const uint8_t *from = image.pixels + (size_t)r * image.width * n;
        uint8_t *to = buffer + (size_t)(image.height - 1 - r) * stride;
        if (n < 3) {
            memcpy(to, from, (size_t)image.width * n);
            continue;
        }
        for (uint32_t x = 0; x < image.width; x++, from += n, to += n) {
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
            if (n == 4) to[3] = from[3];
        }
    }
    discard_gl_errors();
    glTexImage2D(GL_TEXTURE_2D, 0, internal_format_for(n), w, h, 0, pixel_format_for(n),
                 GL_UNSIGNED_BYTE, buffer);
    generate_mipmaps();
    free(buffer);
    return name;
}

static bool driver_generates_mipmaps() {
    const char *extensions = (const char *)glGetString(GL_EXTENSIONS);
    return extensions && strstr(extensions, "GL_SGIS_generate_mipmap");
}

void generate_mipmaps() {
    if (mipmap_extension_state == -1) mipmap_extension_state = driver_generates_mipmaps();
    if (mipmap_extension_state == 1 && !generate_mipmap_entry) {
        mipmap_entry_lookups++;
        generate_mipmap_entry =
            (GenerateMipmapEntry)glXGetProcAddress((const GLubyte *)"glGenerateMipmap");
        // A driver that names the extension but has no entry point: filter
        // in software from now on.
        if (!generate_mipmap_entry) mipmap_extension_state = 0;
    }
    if (mipmap_extension_state == 1)
        generate_mipmap_entry(GL_TEXTURE_2D);
    else
        build_mipmaps_in_software();
}

// Component count and read-back format of an internal format.  A sized
// format counts as its components too: read back as RGB, a luminance level
// would get colour levels below it, and GL would not sample the texture.
static int components_of(GLint internal, GLenum *format) {
    int n;
    switch (internal) {
    case GL_LUMINANCE:
    case GL_LUMINANCE8:
        n = 1;
        break;
    case GL_LUMINANCE_ALPHA:
    case GL_LUMINANCE8_ALPHA8:
        n = 2;
        break;
    case GL_RGB:
    case GL_RGB8:
        n = 3;
        break;
    case GL_RGBA:
    case GL_RGBA8:
        n = 4;
        break;
    case 1:
    case 2:
    case 3:
    case 4:
        n = internal;
        break;
    default:
        n = 3;
        break;
    }
    *format = pixel_format_for(n);
    return n;
}

void build_mipmaps_in_software() {
    GLint width = 0, height = 0, internal = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &internal);
    if (width <= 0 || height <= 0) return;
    GLenum format;
    int n = components_of(internal, &format);
    uint8_t *buffer = (uint8_t *)checked_malloc((size_t)height * aligned_row_bytes(width, n));
    glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, buffer);
    downsample_mipmap_chain(GL_TEXTURE_2D, n, width, height, buffer);
    free(buffer);
}

void downsample_mipmap_chain(GLenum target, int n, int width, int height, uint8_t *buffer) {
    if (width < 2 && height < 2) return;
    for (int level = 1;; level++) {
        int w = std::max(width / 2, 1), h = std::max(height / 2, 1);
        uint32_t s = aligned_row_bytes(width, n), s2 = aligned_row_bytes(w, n);
        // Each destination byte lies at or before the source bytes still to
        // be read, so the level can be written over its own source.
        for (int y = 0; y < h; y++) {
            int y0 = 2 * y, y1 = std::min(2 * y + 1, height - 1);
            for (int x = 0; x < w; x++) {
                int x0 = 2 * x, x1 = std::min(2 * x + 1, width - 1);
                for (int k = 0; k < n; k++) {
                    int sum = buffer[y0 * s + x0 * n + k] + buffer[y0 * s + x1 * n + k] +
                              buffer[y1 * s + x0 * n + k] + buffer[y1 * s + x1 * n + k];
                    buffer[y * s2 + x * n + k] = (uint8_t)((sum + 2) / 4);
                }
            }
        }
        discard_gl_errors();
        glTexImage2D(target, level, internal_format_for(n), w, h, 0, pixel_format_for(n),
                     GL_UNSIGNED_BYTE, buffer);
        if (width < 4 && height < 4) return;
        width = w;
        height = h;
    }
}
