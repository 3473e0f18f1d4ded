// The game's sound effects, made from sine partials when the game starts,
// and the effects each frame's events call for.  Plain samples: mono,
// SOUND_RATE a second, within -1..1.
#pragma once

#include "game_state.h"

const int SOUND_RATE = 48000;

enum SoundEffect {
    SOUND_STEP,   // a short soft tick
    SOUND_TURN,   // a click that rises, unlike the step
    SOUND_SETTLE, // a low thud
    SOUND_ROWS_1, // a chime of one note, and of more for more rows
    SOUND_ROWS_4 = SOUND_ROWS_1 + 3,
    SOUND_PAUSE,     // two notes down
    SOUND_RESUME,    // the same two notes up
    SOUND_GAME_OVER, // a falling phrase
    SOUND_EFFECTS,
};

// The loudest an effect gets: -6 dBFS, so that two at once still have room.
const double EFFECT_PEAK = 0.45;

struct SoundClip {
    float *samples; // owned
    int length;
};

// A newly made effect; its holder frees the samples.
SoundClip synthesize_effect(SoundEffect effect);

// As many effects as one frame can call for.
enum { MOST_FRAME_EFFECTS = 7 };

// The effects a frame's events call for, in the order they happened;
// returns how many were written to out.
int effects_for_events(const FrameEvents *events, SoundEffect out[MOST_FRAME_EFFECTS]);
