#include "stroketiles.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

enum { EMPTY, BAR, ARC, TEE, DOT, STUB, CORNER, FORK };

// The quarter-ellipse value of a point about a corner: at most 1 inside the
// ellipse of radii (h + 1/2) or (1/2 - h).  Quotients are taken in double
// precision, squared and summed in single precision.
float ellipse_value(float p, float q, float hx, float hy, float sx, float sy, bool outer) {
    double ry = outer ? (double)hy + 0.5 : 0.5 - (double)hy;
    double rx = outer ? (double)hx + 0.5 : 0.5 - (double)hx;
    float a = (float)std::max(0.0, ((double)q - sy * ry) / (ry * (1.0 - sy)));
    float b = (float)std::max(0.0, ((double)p - sx * rx) / (rx * (1.0 - sx)));
    return a * a + b * b;
}

} // namespace

int stroke_tile_covers(uint8_t code, float x, float y, TileStyle style) {
    float X = x, Y = y;
    float hx = style.half_width_x, hy = style.half_width_y;
    float sx = style.straight_x, sy = style.straight_y;
    if (!(code & 4)) {
        std::swap(X, Y);
        std::swap(hx, hy);
        std::swap(sx, sy);
    }
    if (code & 1) Y = 1.0f - Y;
    if (code & 2) X = 1.0f - X;
    const double dx = (double)X - 0.5, dy = (double)Y - 0.5;

    switch ((code >> 3) & 7) {
    case BAR:
        return std::fabs(dy) < hy;
    case ARC:
        return ellipse_value(X, Y, hx, hy, sx, sy, true) <= 1.0f &&
               ellipse_value(X, Y, hx, hy, sx, sy, false) > 1.0f;
    case TEE:
        if (std::fabs(dx) < hx) return 1;
        return X > 0.5f && std::fabs(dy) < hy;
    case DOT: {
        float r = hy * style.dot_scale;
        return (double)r * r > dx * dx + dy * dy;
    }
    case STUB:
        return std::fabs(dy) < hy && (double)X > 0.5 - hx;
    case CORNER:
        return (double)Y < 0.5 + hy && (double)X < 0.5 + hx &&
               ((double)Y >= 0.5 - hy || (double)X >= 0.5 - hx);
    case FORK: {
        float p = 1.0f - X; // both arcs are about corners on the edge X = 1
        float q_low = Y, q_high = 1.0f - Y;
        bool outer = ellipse_value(p, q_low, hx, hy, sx, sy, true) <= 1.0f ||
                     ellipse_value(p, q_high, hx, hy, sx, sy, true) <= 1.0f;
        return outer && ellipse_value(p, q_low, hx, hy, sx, sy, false) > 1.0f &&
               ellipse_value(p, q_high, hx, hy, sx, sy, false) > 1.0f;
    }
    default:
        return 0;
    }
}
