// The textured block: one cell of the cylindrical well, drawn as the piece
// of the ring between the tube's inner and outer radius that one column and
// one row cover.
#pragma once

// Tube geometry: y is the tube's axis, one unit per row; a point at angle phi
// and radius rho lies at (rho cos phi, y, rho sin phi).  The mid radius 10/pi
// makes the circumference 20 units, one per column.
const double COLUMN_ANGLE = 0.3141592653589793;     // pi / 10
const double TUBE_INNER_RADIUS = 2.683098861837907; // 10/pi - 0.5
const double TUBE_OUTER_RADIUS = 3.683098861837907; // 10/pi + 0.5

// Sine and cosine of the angle column * COLUMN_ANGLE where a column's cells
// begin.  The 21 edges of the ring are worked out once; other columns
// directly, to the same values up to rounding.
void column_edge(int column, double *sine, double *cosine);

// Draws the block of (column, row) with the bound texture and the current
// colour: inner face, bottom, top and the two sides, each showing the whole
// texture.  There is no outer face; the tube wall lies there.  Any column is
// accepted (c + 20 is c) and any row.  Texturing must already be on.
void draw_block(int column, int row);
