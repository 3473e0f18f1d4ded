// Generates the tube's wall picture: a 256 x 256, 24-bit, bottom-up BMP of
// light grey brick courses with pale mortar that tiles seamlessly in both
// directions.  Everything is periodic in 256 pixels: the courses (8 of 32
// pixels), the bricks (4 of 64 per course) and every noise layer.  The seed
// is fixed, so the committed assets/bricks.bmp can be made again exactly:
//
//     build/make_bricks assets/bricks.bmp
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

const int SIZE = 256;
const int COURSE_HEIGHT = 32;
const int BRICK_LENGTH = 64;
const int MORTAR = 3;

uint64_t rng_state = 0x5EED0B1C4ULL;

uint64_t next_random() { // splitmix64
    uint64_t z = (rng_state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

double uniform() {
    return (next_random() >> 11) * (1.0 / 9007199254740992.0);
} // 0..1
double signed_uniform() {
    return uniform() * 2.0 - 1.0;
}

// Value noise on a lattice of period x period cells over the picture, so
// that it wraps at the picture's edges.
struct TiledNoise {
    int period;
    std::vector<double> lattice;

    explicit TiledNoise(int p) : period(p), lattice(p * p) {
        for (double &v : lattice) v = signed_uniform();
    }
    double at(int i, int j) const {
        i = ((i % period) + period) % period;
        j = ((j % period) + period) % period;
        return lattice[j * period + i];
    }
    double sample(double x, double y) const {
        double fx = x * period / SIZE, fy = y * period / SIZE;
        int ix = (int)std::floor(fx), iy = (int)std::floor(fy);
        double tx = fx - ix, ty = fy - iy;
        tx = tx * tx * (3 - 2 * tx);
        ty = ty * ty * (3 - 2 * ty);
        double a = at(ix, iy) + (at(ix + 1, iy) - at(ix, iy)) * tx;
        double b = at(ix, iy + 1) + (at(ix + 1, iy + 1) - at(ix, iy + 1)) * tx;
        return a + (b - a) * ty;
    }
};

struct Brick {
    double tone;   // overall lightness offset
    double warmth; // red-blue balance
    double wear;   // how chipped its edges are
};

uint8_t clamp_byte(double v) {
    return (uint8_t)(v < 0 ? 0 : v > 255 ? 255 : std::lround(v));
}

void put_u16(std::vector<uint8_t> &out, size_t at, uint32_t v) {
    out[at] = v & 0xFF;
    out[at + 1] = (v >> 8) & 0xFF;
}
void put_u32(std::vector<uint8_t> &out, size_t at, uint32_t v) {
    put_u16(out, at, v & 0xFFFF);
    put_u16(out, at + 2, v >> 16);
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s OUTPUT.bmp\n", argv[0]);
        return 2;
    }
    const int courses = SIZE / COURSE_HEIGHT, per_course = SIZE / BRICK_LENGTH;
    int offset[courses];
    Brick bricks[courses][per_course];
    for (int k = 0; k < courses; k++) {
        offset[k] = (k % 2) * (BRICK_LENGTH / 2) + (int)std::lround(signed_uniform() * 6);
        for (Brick &b : bricks[k]) b = {signed_uniform() * 14, signed_uniform() * 4, uniform()};
    }
    TiledNoise broad(4), medium(16), fine(64), chips(128);

    std::vector<uint8_t> rgb(SIZE * SIZE * 3); // top row first
    for (int y = 0; y < SIZE; y++) {
        for (int x = 0; x < SIZE; x++) {
            int k = y / COURSE_HEIGHT, ly = y % COURSE_HEIGHT;
            int shifted = ((x - offset[k]) % SIZE + SIZE) % SIZE;
            int lx = shifted % BRICK_LENGTH;
            const Brick &brick = bricks[k][shifted / BRICK_LENGTH];

            double grain = signed_uniform();
            double cloud =
                broad.sample(x, y) * 0.6 + medium.sample(x, y) * 0.3 + fine.sample(x, y) * 0.1;
            bool mortar = lx < MORTAR || ly < MORTAR;
            // Distance into the brick from its nearest edge; the edges wear
            // away where the chip noise says so, more on worn bricks.
            int edge = std::min(std::min(lx - MORTAR, BRICK_LENGTH - 1 - lx),
                                std::min(ly - MORTAR, COURSE_HEIGHT - 1 - ly));
            if (!mortar && edge < 3) {
                double chip = chips.sample(x, y) + 0.35 * grain;
                mortar = chip > 0.55 - 0.25 * brick.wear + 0.2 * edge;
            }

            double r, g, b;
            if (mortar) {
                double v = 200 + 10 * cloud + 6 * grain;
                // The joint lies in shadow just under the brick above it.
                if (ly < MORTAR) v -= 10 * (MORTAR - ly) / (double)MORTAR;
                r = v + 3;
                g = v + 1;
                b = v - 4;
            } else {
                double v = 162 + brick.tone + 22 * cloud + 9 * grain;
                if (ly - MORTAR < 3) v += 8 - 2.5 * (ly - MORTAR); // lit top edge
                if (COURSE_HEIGHT - 1 - ly < 3) v -= 12 - 4 * (COURSE_HEIGHT - 1 - ly);
                if (grain > 0.985) v -= 45; // pits in the face
                r = v + brick.warmth;
                g = v;
                b = v - brick.warmth - 3;
            }
            uint8_t *p = &rgb[(y * SIZE + x) * 3];
            p[0] = clamp_byte(r);
            p[1] = clamp_byte(g);
            p[2] = clamp_byte(b);
        }
    }

    const uint32_t data_size = SIZE * SIZE * 3, header = 54;
    std::vector<uint8_t> file(header + data_size, 0);
    file[0] = 'B';
    file[1] = 'M';
    put_u32(file, 2, header + data_size);
    put_u32(file, 10, header);
    put_u32(file, 14, 40);
    put_u32(file, 18, SIZE);
    put_u32(file, 22, SIZE);
    put_u16(file, 26, 1);
    put_u16(file, 28, 24);
    put_u32(file, 34, data_size);
    put_u32(file, 38, 2833);
    put_u32(file, 42, 2833);
    for (int y = 0; y < SIZE; y++) { // bottom row first, blue green red
        uint8_t *row = &file[header + (size_t)(SIZE - 1 - y) * SIZE * 3];
        for (int x = 0; x < SIZE; x++) {
            const uint8_t *p = &rgb[(y * SIZE + x) * 3];
            row[x * 3] = p[2];
            row[x * 3 + 1] = p[1];
            row[x * 3 + 2] = p[0];
        }
    }
    FILE *out = fopen(argv[1], "wb");
    if (!out || fwrite(file.data(), 1, file.size(), out) != file.size() || fclose(out) != 0) {
        perror(argv[1]);
        return 1;
    }
    return 0;
}
