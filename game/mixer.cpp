#include "mixer.h"

#include <cmath>

// Below the knee the mix passes unchanged; above it, it bends smoothly
// towards the ceiling and never reaches it.
static const float KNEE = 0.5f;
static const float CEILING = 0.9f;

static float limit(float x) {
    float size = std::fabs(x);
    if (size <= KNEE) return x;
    float bent = KNEE + (CEILING - KNEE) * std::tanh((size - KNEE) / (CEILING - KNEE));
    return x < 0 ? -bent : bent;
}

void mixer_start(Mixer *mixer, const float *samples, int length) {
    Voice *chosen = &mixer->voices[0];
    for (Voice &v : mixer->voices) {
        if (!v.samples) {
            chosen = &v;
            break;
        }
        if (v.position > chosen->position) chosen = &v;
    }
    *chosen = {samples, length, 0};
}

void mixer_stop_all(Mixer *mixer) {
    for (Voice &v : mixer->voices) v = {};
}

bool mixer_busy(const Mixer *mixer) {
    for (const Voice &v : mixer->voices)
        if (v.samples) return true;
    return false;
}

void mix_voices(Mixer *mixer, int16_t *out, int frames) {
    for (int i = 0; i < frames; i++) {
        float sum = 0;
        for (Voice &v : mixer->voices) {
            if (!v.samples) continue;
            sum += v.samples[v.position++];
            if (v.position >= v.length) v = {};
        }
        out[i] = (int16_t)std::lround(limit(sum) * 32767.0f);
    }
}
