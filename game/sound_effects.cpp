#include "sound_effects.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

struct Note {
    double start, length; // seconds
    double pitch, glide;  // Hz at the start, and the ratio it reaches at the end
    double decay;         // seconds for the level to fall to 1/e
    double overtone;      // level of the second harmonic
};

struct Recipe {
    double level; // peak, at most EFFECT_PEAK
    int count;
    Note notes[4];
};

// Onset and fade of every note: long enough that neither clicks, and the
// gentle onset leaves no offset to speak of.
const double ATTACK = 0.004;
const double RELEASE = 0.012;

const double C6 = 1046.5, E6 = 1318.5, G6 = 1568.0, C7 = 2093.0;
const double G4 = 392.0, C5 = 523.25, D5 = 587.33, E5 = 659.25, G5 = 784.0, A5 = 880.0;

Recipe recipe_for(SoundEffect effect) {
    switch (effect) {
    case SOUND_STEP:
        return {0.25, 1, {{0, 0.035, 2400, 1, 0.008, 0}}};
    case SOUND_TURN:
        return {0.35, 1, {{0, 0.06, 700, 2, 0.03, 0.5}}};
    case SOUND_SETTLE:
        return {EFFECT_PEAK, 1, {{0, 0.2, 120, 0.45, 0.06, 0.3}}};
    case SOUND_PAUSE:
        return {0.3, 2, {{0, 0.09, A5, 1, 0.1, 0}, {0.09, 0.14, D5, 1, 0.1, 0}}};
    case SOUND_RESUME:
        return {0.3, 2, {{0, 0.09, D5, 1, 0.1, 0}, {0.09, 0.14, A5, 1, 0.1, 0}}};
    case SOUND_GAME_OVER:
        return {EFFECT_PEAK,
                4,
                {{0, 0.34, G5, 1, 0.3, 0.3},
                 {0.28, 0.34, E5, 1, 0.3, 0.3},
                 {0.56, 0.34, C5, 1, 0.3, 0.3},
                 {0.84, 0.6, G4, 0.97, 0.35, 0.3}}};
    default: { // a chime: one more note of the chord for each row
        static const double chord[] = {C6, E6, G6, C7};
        Recipe r = {EFFECT_PEAK, effect - SOUND_ROWS_1 + 1, {}};
        for (int k = 0; k < r.count; k++) r.notes[k] = {0.07 * k, 0.5, chord[k], 1, 0.15, 0.25};
        return r;
    }
    }
}

// A raised-cosine ramp from 0 at x <= 0 to 1 at x >= 1.
double ramp(double x) {
    x = std::clamp(x, 0.0, 1.0);
    return 0.5 - 0.5 * std::cos(M_PI * x);
}

void add_note(const Note &n, float *out) {
    int first = (int)std::lround(n.start * SOUND_RATE);
    int count = (int)std::lround(n.length * SOUND_RATE);
    double phase = 0;
    for (int i = 0; i < count; i++) {
        double t = (double)i / SOUND_RATE;
        double envelope =
            ramp(t / ATTACK) * ramp((n.length - t) / RELEASE) * std::exp(-t / n.decay);
        out[first + i] += (float)(envelope * (std::sin(phase) + n.overtone * std::sin(2 * phase)));
        phase += 2 * M_PI * n.pitch * std::pow(n.glide, t / n.length) / SOUND_RATE;
    }
}

} // namespace

SoundClip synthesize_effect(SoundEffect effect) {
    Recipe r = recipe_for(effect);
    double end = 0;
    for (int k = 0; k < r.count; k++) end = std::max(end, r.notes[k].start + r.notes[k].length);
    SoundClip clip = {nullptr, (int)std::lround(end * SOUND_RATE) + 1};
    clip.samples = (float *)calloc((size_t)clip.length, sizeof(float));
    for (int k = 0; k < r.count; k++) add_note(r.notes[k], clip.samples);
    float peak = 0;
    for (int i = 0; i < clip.length; i++) peak = std::max(peak, std::fabs(clip.samples[i]));
    for (int i = 0; i < clip.length; i++) clip.samples[i] *= (float)(r.level / peak);
    return clip;
}

int effects_for_events(const FrameEvents *events, SoundEffect out[MOST_FRAME_EFFECTS]) {
    int n = 0;
    if (events->resumed) out[n++] = SOUND_RESUME;
    if (events->stepped) out[n++] = SOUND_STEP;
    if (events->turned) out[n++] = SOUND_TURN;
    if (events->settled) out[n++] = SOUND_SETTLE;
    if (events->rows_removed > 0)
        out[n++] = (SoundEffect)(SOUND_ROWS_1 + std::min(events->rows_removed, 4) - 1);
    if (events->ended) out[n++] = SOUND_GAME_OVER;
    if (events->paused) out[n++] = SOUND_PAUSE;
    return n;
}
