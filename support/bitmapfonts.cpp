#include "bitmapfonts.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "allocation.h"
#include "report.h"
#include "texture.h"

const FontStyle DEFAULT_FONT_STYLE = {nullptr, 1.0f, 1.0f, 0.0f, 0.0f, 0};

GrowArray font_list;
BitmapFont **fonts;
BitmapFont *current_font;
FontStyle current_style;
int text_line_height;
int font_texture_limit = 2048;

static bool font_list_made = false;

void register_font(BitmapFont *font) {
    if (!font_list_made) {
        // The list holds pointers to the fonts, not the fonts themselves.
        // NOLINTNEXTLINE(bugprone-sizeof-expression)
        grow_array_init(&font_list, sizeof(BitmapFont *), &fonts);
        font_list_made = true;
    }
    grow_array_push(&font_list, &font);
}

// Where the palette's grey ramp and its 6 x 6 x 6 colour cube begin.
static const int GREY_RAMP = 16, COLOUR_CUBE = 40;

void standard_palette(float red[BYTE_VALUES], float green[BYTE_VALUES], float blue[BYTE_VALUES]) {
    for (int i = 0; i < GREY_RAMP; i++) {
        float on = (i & 8) ? 1.0f : 0.5f;
        red[i] = (i & 4) ? on : 0.0f;
        green[i] = (i & 2) ? on : 0.0f;
        blue[i] = (i & 1) ? on : 0.0f;
    }
    red[8] = green[8] = blue[8] = 0.25f;
    for (int i = GREY_RAMP; i < COLOUR_CUBE; i++)
        red[i] = green[i] = blue[i] = (float)(i - GREY_RAMP) * 0.04347826f;
    for (int i = COLOUR_CUBE; i < BYTE_VALUES; i++) {
        int j = i - COLOUR_CUBE, r = j % 6, g = (j / 6) % 6, b = j / 36;
        red[i] = (float)(r * 0.2);
        green[i] = (float)(g * 0.2);
        blue[i] = (float)(b * 0.2);
    }
}

uint32_t find_glyph_records(const uint8_t *data, uint32_t length, GlyphRecord *records) {
    uint32_t count = 0;
    uint64_t offset = 0;
    while (data && count < GLYPH_SLOTS && offset + 2 <= length) {
        uint32_t w = data[offset], h = data[offset + 1];
        uint64_t end = offset + 2 + (uint64_t)w * h;
        if (end > length) break; // cut short: never read past the data
        records[count++] = {(uint32_t)offset + 2, w, h};
        offset = end;
    }
    return count;
}

void layout_glyphs(BitmapFont *font, const GlyphRecord *records, uint32_t count, uint32_t limit) {
    font->cell_height = 1;
    for (uint32_t n = 0; n < count; n++)
        font->cell_height = std::max(font->cell_height, records[n].height);
    uint32_t pad = font->cell_height / 4;

    // Glyphs side by side in rows, each followed by the pad, the last in a
    // row included; slots without a record stay where the pen stopped.
    uint32_t x = 0, row = 0, needed_width = 1;
    for (uint32_t n = 0; n < GLYPH_SLOTS; n++) {
        font->glyph_x[n] = x;
        font->glyph_y[n] = row;
        if (n >= count) {
            font->glyph_width[n] = 0;
            continue;
        }
        uint32_t w = records[n].width;
        font->glyph_width[n] = w;
        x += w + pad;
        if (x > limit) {
            font->glyph_x[n] = 0;
            row += font->cell_height + pad;
            font->glyph_y[n] = row;
            x = w + pad;
        }
        needed_width = std::max(needed_width, font->glyph_x[n] + w);
    }
    font->texture_width = power_of_two_at_least(needed_width);
    font->texture_height = power_of_two_at_least(font->cell_height + row);
}

void rasterise_glyphs(const BitmapFont *font, const uint8_t *data, const GlyphRecord *records,
                      uint32_t count, uint8_t *texels) {
    float red[BYTE_VALUES], green[BYTE_VALUES], blue[BYTE_VALUES];
    standard_palette(red, green, blue);
    for (uint32_t n = 0; n < count; n++) {
        const GlyphRecord &r = records[n];
        for (uint32_t py = 0; py < r.height; py++) {
            const uint8_t *source = data + r.offset + py * r.width;
            uint8_t *texel =
                texels +
                ((size_t)(font->glyph_y[n] + py) * font->texture_width + font->glyph_x[n]) * 4;
            for (uint32_t px = 0; px < r.width; px++, texel += 4) {
                uint8_t index = source[px];
                if (index == 255) continue; // transparent black
                texel[0] = palette_byte(red[index]);
                texel[1] = palette_byte(green[index]);
                texel[2] = palette_byte(blue[index]);
                texel[3] = 255;
            }
        }
    }
}

static uint32_t upload_glyph_texture(const BitmapFont *font, const uint8_t *texels) {
    GLuint texture;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_LOD_BIAS, -0.5f);
    discard_gl_errors();
    // Not turned upside down: texture row 0 is the top of the first cells.
    glTexImage2D(GL_TEXTURE_2D, 0, internal_format_for(4), font->texture_width,
                 font->texture_height, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    generate_mipmaps();
    return texture;
}

void load_font_data(const uint8_t *data, uint32_t length, const char *name) {
    BitmapFont *font = (BitmapFont *)checked_calloc(1, sizeof(BitmapFont));
    font->name = checked_strdup(name ? name : "");

    GLint driver_limit = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &driver_limit);
    uint32_t limit =
        (uint32_t)std::max(0, std::min(std::min(driver_limit, 2048), font_texture_limit));

    GlyphRecord *records = (GlyphRecord *)checked_malloc(GLYPH_SLOTS * sizeof(GlyphRecord));
    uint32_t count = find_glyph_records(data, length, records);
    layout_glyphs(font, records, count, limit);
    if (limit < font->texture_height) {
        char message[512];
        snprintf(message, sizeof message, "Font '%s' required texture of size %dx%d but maxtx=%d",
                 font->name, (int)font->texture_width, (int)font->texture_height, (int)limit);
        report_inner("bitmapfonts", 1321, REPORT_FATAL, message, 1);
    }

    uint8_t *texels =
        (uint8_t *)checked_calloc((size_t)font->texture_width * font->texture_height, 4);
    rasterise_glyphs(font, data, records, count, texels);
    free(records);
    font->texture = upload_glyph_texture(font, texels);
    free(texels);
    boost_glyph_mipmaps(font);

    font->style = DEFAULT_FONT_STYLE;
    font->style.base = font;
    font->style.glyph_slots = GLYPH_SLOTS;
    measure_font(font);

    register_font(font);
    if (!current_font) {
        current_font = font;
        current_style = font->style;
        text_line_height = (int)((float)font->cell_height * font->style.height);
    }
}

void measure_font(BitmapFont *font) {
    font->max_glyph_width = 0;
    for (uint32_t w : font->glyph_width) font->max_glyph_width = std::max(font->max_glyph_width, w);
    GLint w = 0, h = 0;
    glBindTexture(GL_TEXTURE_2D, font->texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    font->texture_width = (uint32_t)w;
    font->texture_height = (uint32_t)h;
}

void glyph_boost_table(uint8_t table[BYTE_VALUES]) {
    for (int i = 0; i < BYTE_VALUES; i++)
        table[i] = (uint8_t)(std::pow(i * 0.003907776475185619, 0.4) * 255.9);
}

static bool is_boosted_slot(int g) {
    return (g >= '0' && g <= '9') || (g >= 256 && g <= 383);
}

void boost_glyph_mipmaps(BitmapFont *font) {
    uint8_t table[BYTE_VALUES];
    glyph_boost_table(table);
    glBindTexture(GL_TEXTURE_2D, font->texture);
    for (int level = 1;; level++) {
        GLint w = 0, h = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &w);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &h);
        if (w <= 0) return; // past the last level, or no reduced levels at all
        uint8_t *texels = (uint8_t *)checked_malloc((size_t)w * h * 4);
        glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, texels);
        for (int g = 0; g < GLYPH_SLOTS; g++) {
            if (!is_boosted_slot(g)) continue;
            uint32_t y0 = font->glyph_y[g] >> level;
            uint32_t y1 = std::min((font->glyph_y[g] + font->cell_height) >> level, (uint32_t)h);
            uint32_t x0 = font->glyph_x[g] >> level;
            uint32_t x1 = std::min(x0 + (font->glyph_width[g] >> level), (uint32_t)w);
            if (y0 >= y1 || x0 >= x1) continue;
            float m = 0.001f; // never 0
            for (uint32_t y = y0; y < y1; y++)
                for (uint32_t i = x0 * 4; i < x1 * 4; i++)
                    m = std::max(m, (float)texels[y * w * 4 + i]);
            double stretch = 255.4 / m;
            for (uint32_t y = y0; y < y1; y++)
                for (uint32_t i = x0 * 4; i < x1 * 4; i++) {
                    uint8_t &b = texels[y * w * 4 + i];
                    b = table[(int)(b * stretch)];
                }
        }
        discard_gl_errors();
        glTexImage2D(GL_TEXTURE_2D, level, 4, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
        free(texels);
    }
}
