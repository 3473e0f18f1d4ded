// Mixing the effects that sound at once into one stream of 16-bit samples:
// every effect starts at once in a voice of its own, and the sum is
// limited so that no sample ever reaches full scale.
#pragma once

#include <cstdint>

enum { MIXER_VOICES = 8 };

struct Voice {
    const float *samples; // null: a free voice
    int length;
    int position;
};

struct Mixer {
    Voice voices[MIXER_VOICES];
};

// Starts the samples playing; with every voice busy, the one that has
// played longest gives way.  The samples must outlive the voice.
void mixer_start(Mixer *mixer, const float *samples, int length);

// Silences every voice.
void mixer_stop_all(Mixer *mixer);

// Whether any voice still has samples to play.
bool mixer_busy(const Mixer *mixer);

// The next frames samples of the mix, advancing every voice.
void mix_voices(Mixer *mixer, int16_t *out, int frames);
