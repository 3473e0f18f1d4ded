// The scene kept as a picture while the game rests after its end.  The exit
// prompt blinks twice a second, and on a software renderer drawing the whole
// tube again for each blink costs a few times what putting back a copy of it
// does.
#pragma once

// Keeps the picture drawn so far this frame (the scene, before the overlay).
void keep_scene_picture();

// Puts the kept picture back in place of the scene; false, drawing nothing,
// when none was kept at the drawable's present size.
bool show_kept_scene();
