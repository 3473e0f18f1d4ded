// Text measurement and drawing with the current font, in the 2D overlay's
// window pixels (origin top left, y down).
//
// Text is a byte string.  Besides plain glyph bytes it may carry:
//   2 hi lo            glyph slot hi * 256 + lo (10 is a newline, 32 a blank)
//   5 code o0 o1 o2 o3 a control with a 4-byte little-endian operand:
//                      code 0 colour 0xRRGGBB, 1 pen x, 2 size (u16,
//                      256 = 100 %) and baseline raise (i16, 256 = a cell)
//   10                 newline
// The NUL-terminated forms end at the first 0 byte wherever it stands, so an
// escape or control with a 0 byte in it needs the _n forms, which never read
// past the given length.
#pragma once

#include <cstddef>
#include <cstdint>

enum {
    TEXT_ESC_GLYPH = 2,
    TEXT_ESC_CONTROL = 5,
    CTRL_SET_COLOUR = 0,
    CTRL_SET_PEN_X = 1,
    CTRL_SET_SIZE = 2,
};

// Settings read by begin_text and the advance rule.
extern int text_in_overlay;
extern float text_scale_x, text_scale_y;
extern int text_blend_mode;  // 1 replace, 2 multiply, 3 screen-like add, 4 alpha
extern float letter_spacing; // a fraction of text_line_height after every glyph

// Width in pixels as draw_text would advance the pen; a null text measures
// "NULL?".
float text_width(const char *text);
float text_width_n(const char *text, size_t length);

// Sets up GL for text and opens a batch of quads.
void begin_text();

// Draws text in colour 0xRRGGBB with the top left of its first cell at
// (x, y).  wrap_width (0: none) wraps at blanks, or inside a word too long
// for a line; bottom_limit (0: none) stops at a line past it.  Returns the
// pen y after the text.  Only between begin_text and end_text.
float draw_text(const char *text, uint32_t colour, float x, float y, float wrap_width,
                float bottom_limit);
float draw_text_n(const char *text, size_t length, uint32_t colour, float x, float y,
                  float wrap_width, float bottom_limit);

// Closes the batch and restores the GL state begin_text changed.
void end_text();
