// Processor floating-point modes.
#pragma once

// Turns on flush-to-zero and denormals-are-zero, so that values decaying
// towards zero (the camera easing, faded colours) never drop into the slow
// denormal range.  Does nothing on processors without SSE.
void set_flush_to_zero_mode();
