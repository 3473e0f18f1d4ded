// The tube scene: the well seen from inside a vertical tube.
#pragma once

// Attenuation of one row: deep rows are darker and bluer.
struct Shade {
    double red, green, blue;
};
Shade row_shade(int row);

// Full-intensity channels of a colour index 1..7: bit 0 red, 1 green, 2 blue.
Shade colour_of_index(int index);

// Eases the camera height towards the piece's height: about 95% of the way
// per second of play; still while dt is 0.
void follow_piece(double dt);

// Draws the frame's scene after the view update: the camera height and
// translation, the tube wall and the well, the falling piece and the floor.
// Leaves texturing off.
void draw_scene(double dt);
