// Font styles: choosing the closest font record for a style, or deriving a
// variant that shares its base font's texture and glyph tables.
#include <GL/gl.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bitmapfonts.h"
#include "allocation.h"

// Bit for bit, field by field (the record's padding is not part of it).
static uint32_t bits_of(float f) {
    uint32_t bits;
    memcpy(&bits, &f, sizeof bits);
    return bits;
}

static bool same_bits(float a, float b) {
    return bits_of(a) == bits_of(b);
}

static bool same_style(const FontStyle &a, const FontStyle &b) {
    return a.base == b.base && same_bits(a.width, b.width) && same_bits(a.height, b.height) &&
           same_bits(a.skew, b.skew) && same_bits(a.boldness, b.boldness) &&
           a.glyph_slots == b.glyph_slots;
}

static bool usable_factor(float f) {
    return std::isfinite(f) && f > 0.0f;
}

void select_font_style(FontStyle style) {
    if (same_style(style, current_style)) return;
    // A zero, negative or non-finite size has no sensible closest font, and a
    // boldness or skew that is not finite matches no font and would advance
    // the pen without end.
    if (!usable_factor(style.width) || !usable_factor(style.height)) return;
    if (!std::isfinite(style.boldness) || !std::isfinite(style.skew)) return;
    BitmapFont *chosen = find_font_variant(style);
    if (chosen != current_font) {
        current_font = chosen;
        text_line_height = (int)((float)chosen->style.base->cell_height * chosen->style.height);
    }
    current_style = style;
}

// 1 / ln 1.05: a size difference counted in steps of 5 %.
static const double LOG_STEPS = 20.49593431428785;

// How far a size factor is from a font's, in doubled pixels of the largest
// glyph or in 5 % steps, whichever is smaller.
static float size_distance(float wanted, float has, uint32_t largest) {
    double pixels = std::fabs(2.0 * (double)((wanted - has) * (float)largest));
    double steps = std::fabs((double)logf(wanted / has)) * LOG_STEPS;
    return (float)std::min(pixels, steps);
}

static float match_score(const FontStyle &s, const BitmapFont *f) {
    if (f->style.base != s.base) return -1000.0f;
    const BitmapFont *base = s.base;
    float dw = size_distance(s.width, f->style.width, base->max_glyph_width);
    float dh = size_distance(s.height, f->style.height, base->cell_height);
    float bold = (float)std::fabs((double)(s.boldness - f->style.boldness) * 50);
    float skew = (float)std::fabs((double)(s.skew - f->style.skew) * 20);
    return 1.0f - (dw + dh) * 0.5f - (bold + skew);
}

static void append_to_name(BitmapFont *font, const char *format, float value) {
    int length = snprintf(nullptr, 0, format, font->name, (double)value);
    char *name = (char *)checked_malloc(length + 1);
    snprintf(name, length + 1, format, font->name, (double)value);
    free(font->name);
    font->name = name;
}

BitmapFont *find_font_variant(FontStyle style) {
    BitmapFont *best = nullptr, *source = nullptr;
    float best_score = 0.0f, source_score = -1e20f;
    // Visited from the newest; on equal scores the first visited wins.
    for (uint32_t i = font_list.count; i-- > 0;) {
        BitmapFont *f = fonts[i];
        float score = match_score(style, f);
        if (score > best_score) {
            best = f;
            best_score = score;
        }
        if (f->style.glyph_slots == GLYPH_SLOTS && score > source_score) {
            source = f;
            source_score = score;
        }
    }
    if (best) return best;

    BitmapFont *from = source ? source->style.base : style.base;
    if (!from) from = current_font; // a request with no base, before any font matched
    BitmapFont *variant = copy_font(from);
    variant->style = {style.base, style.width, style.height, style.skew, style.boldness, 0};
    if (style.width != 1) append_to_name(variant, "%s:width=%g", style.width);
    if (style.height != 1) append_to_name(variant, "%s:height=%g", style.height);
    if (style.boldness != 0) append_to_name(variant, "%s:boldness=%g", style.boldness);
    if (style.skew != 0) append_to_name(variant, "%s:skew=%g", style.skew);

    measure_font(variant);
    return variant;
}

BitmapFont *copy_font(const BitmapFont *font) {
    BitmapFont *copy = (BitmapFont *)checked_malloc(sizeof(BitmapFont));
    *copy = *font;
    copy->name = checked_strdup(font->name);
    register_font(copy);
    return copy;
}
