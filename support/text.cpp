#include "text.h"

#include <GL/gl.h>
#include <cctype>
#include <cmath>
#include <cstring>

#include "bitmapfonts.h"
#include "gl/window.h"

int text_in_overlay = 1;
float text_scale_x = 1.0f, text_scale_y = 1.0f;
int text_blend_mode = 3;
float letter_spacing = 0.1f;

namespace {

const char NULL_TEXT[] = "NULL?";

// One step through a text: a glyph, a newline, a control, or the end.
struct Token {
    enum Kind { END, GLYPH, NEWLINE, CONTROL, NOTHING } kind;
    uint32_t slot{};    // GLYPH
    uint8_t code{};     // CONTROL
    uint32_t operand{}; // CONTROL
};

// Reads the token at *at, never past end; an escape cut short by the end of
// the text ends it.
Token next_token(const uint8_t *text, size_t *at, size_t end) {
    if (*at >= end || text[*at] == 0) return {.kind = Token::END};
    uint8_t byte = text[(*at)++];
    if (byte == 10) return {.kind = Token::NEWLINE};
    if (byte == TEXT_ESC_GLYPH) {
        if (end - *at < 2) return {.kind = Token::END};
        uint32_t slot = text[*at] * 256u + text[*at + 1];
        *at += 2;
        if (slot == 10) return {.kind = Token::NEWLINE};
        // Past the glyph tables: nothing to draw and no advance.
        if (slot >= GLYPH_SLOTS) return {.kind = Token::NOTHING};
        return {.kind = Token::GLYPH, .slot = slot};
    }
    if (byte == TEXT_ESC_CONTROL) {
        if (end - *at < 5) return {.kind = Token::END};
        const uint8_t *p = text + *at;
        uint32_t operand = p[1] | p[2] << 8 | p[3] << 16 | (uint32_t)p[4] << 24;
        *at += 5;
        return {.kind = Token::CONTROL, .code = p[0], .operand = operand};
    }
    return {.kind = Token::GLYPH, .slot = byte};
}

int advance(uint32_t slot, float width_factor) {
    const FontStyle &style = current_font->style;
    float a = (float)style.base->glyph_width[slot] * width_factor;
    double s = (double)((float)text_line_height * letter_spacing);
    return (int)((double)a * (1.0 + (double)style.boldness) + (s + 0.5));
}

} // namespace

float text_width_n(const char *text, size_t length) {
    if (!text) return text_width(NULL_TEXT);
    const uint8_t *bytes = (const uint8_t *)text;
    float width_factor = current_font->style.width, total = 0.0f;
    size_t at = 0;
    for (;;) {
        Token t = next_token(bytes, &at, length);
        if (t.kind == Token::END) return total;
        if (t.kind == Token::GLYPH) {
            total += (float)advance(t.slot, width_factor);
        } else if (t.kind == Token::CONTROL && t.code == CTRL_SET_PEN_X) {
            total = (float)(int32_t)t.operand;
        } else if (t.kind == Token::CONTROL && t.code == CTRL_SET_SIZE) {
            float f = (float)((t.operand & 0xFFFF) * 0.00390625);
            width_factor = f * current_font->style.width;
        }
    }
}

// The terminated forms end at the first 0 byte, inside an escape too.
float text_width(const char *text) {
    if (!text) text = NULL_TEXT;
    return text_width_n(text, strlen(text));
}

void begin_text() {
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_COLOR_BUFFER_BIT | GL_TRANSFORM_BIT);
    if (text_in_overlay) begin_overlay();
    glScalef(text_scale_x, text_scale_y, 1);
    glEnable(GL_BLEND);
    glDisable(GL_LIGHTING);
    switch (text_blend_mode) {
    case 1:
        glBlendFunc(GL_ONE, GL_ZERO);
        break;
    case 2:
        glBlendFunc(GL_DST_COLOR, GL_ONE_MINUS_SRC_ALPHA);
        break;
    case 3:
        glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_COLOR);
        break;
    case 4:
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        break;
    default:
        break;
    }
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, current_font->texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glBegin(GL_QUADS);
}

void end_text() {
    glEnd();
    if (text_in_overlay) end_overlay();
    glPopAttrib();
}

static void set_text_colour(uint32_t colour) {
    glColor4ub((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF, 255);
}

float draw_text_n(const char *text, size_t length, uint32_t colour, float x, float y,
                  float wrap_width, float bottom_limit) {
    if (!text) return draw_text(NULL_TEXT, colour, x, y, wrap_width, bottom_limit);
    const uint8_t *bytes = (const uint8_t *)text;
    if (length == 0 || bytes[0] == 0) return y;

    BitmapFont *const entry = current_font;
    BitmapFont *const base = entry->style.base;
    FontStyle style = entry->style;
    const float w0 = style.width, h0 = style.height, bold = style.boldness;
    const float du = (float)(1.0 / entry->texture_width), dv = (float)(1.0 / entry->texture_height);
    set_text_colour(colour);

    float pen_x = x, line_start = x, pen_y = y, wf = w0, hf = h0;
    int raise = 0;
    const bool wrapping = wrap_width != 0, limited = bottom_limit != 0;
    size_t at = 0;
    for (;;) {
        Token t = next_token(bytes, &at, length);
        if (t.kind == Token::END) break;
        if (t.kind == Token::NEWLINE) {
            pen_x = line_start;
            // Rounded half up, as the line advance has always been.
            // NOLINTNEXTLINE(bugprone-incorrect-roundings)
            pen_y += (int)((double)((float)current_font->cell_height * hf) + 0.5) + 1;
            continue;
        }
        if (t.kind == Token::CONTROL) {
            if (t.code == CTRL_SET_COLOUR) {
                set_text_colour(t.operand);
            } else if (t.code == CTRL_SET_PEN_X) {
                pen_x = (float)(int32_t)t.operand;
            } else if (t.code == CTRL_SET_SIZE) {
                float f = (float)((t.operand & 0xFFFF) * 0.00390625);
                wf = w0 * f;
                hf = f * h0;
                float r = (float)(int16_t)(t.operand >> 16);
                int v = (int)(r * ((float)base->cell_height * h0) + 128.0f);
                int new_raise = v / 256;
                pen_y = (pen_y + raise) - new_raise;
                raise = new_raise;
                glEnd();
                style.base = base;
                style.width = wf;
                style.height = hf;
                style.boldness = bold;
                select_font_style(style);
                glBegin(GL_QUADS);
            }
            continue;
        }
        if (t.kind != Token::GLYPH) continue;

        uint32_t g = t.slot;
        float left = pen_x;
        pen_x += advance(g, wf);
        if (g == 32) {
            if (!wrapping) continue;
            // Would the next word still fit on this line?
            size_t word = at, word_end = at;
            while (word_end < length && bytes[word_end] && !isspace(bytes[word_end])) word_end++;
            if (left + text_width_n(text + word, word_end - word) > wrap_width) {
                pen_y = ((float)base->cell_height * hf) + (1.0f + pen_y);
                if (limited && pen_y > bottom_limit) break;
                pen_x = line_start;
            }
            continue;
        }

        const BitmapFont *font = current_font;
        float s0 = font->glyph_x[g] * du, s1 = font->glyph_width[g] * du + s0;
        float t0 = font->glyph_y[g] * dv, t1 = font->cell_height * dv + t0;
        float right = left + (float)base->glyph_width[g] * wf;
        float bottom = pen_y + (float)base->cell_height * hf;
        glTexCoord2f(s0, t0);
        glVertex2f(left, pen_y);
        glTexCoord2f(s1, t0);
        glVertex2f(right, pen_y);
        glTexCoord2f(s1, t1);
        glVertex2f(right, bottom);
        glTexCoord2f(s0, t1);
        glVertex2f(left, bottom);

        // A word too long for the line breaks after the glyph that crossed.
        bool next_is_blank = at < length && bytes[at] == 32;
        if (wrapping && !next_is_blank && pen_x > wrap_width) {
            pen_y += (float)(current_font->cell_height + 1);
            if (limited && pen_y > bottom_limit) break;
            pen_x = line_start;
        }
    }
    select_font_style(style);
    return pen_y;
}

float draw_text(const char *text, uint32_t colour, float x, float y, float wrap_width,
                float bottom_limit) {
    if (!text) text = NULL_TEXT;
    return draw_text_n(text, strlen(text), colour, x, y, wrap_width, bottom_limit);
}
