// The sky-blue background behind the tube.
#pragma once

// Clears colour and depth for the next frame with 0x6699FF and resets the
// model-view matrix.
void clear_for_next_frame();
