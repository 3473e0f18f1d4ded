#include <gtest/gtest.h>

#include <cmath>

#include "mixer.h"
#include "sound_effects.h"

// Short, under -6 dBFS, silent at both ends and without an offset.
TEST(Sound, EveryEffectIsShortUnclippedAndFadesInAndOut) {
    const struct {
        SoundEffect effect;
        double shortest, longest; // seconds
    } effects[] = {
        // clang-format off
        {SOUND_STEP, 0.02, 0.06},
        {SOUND_TURN, 0.03, 0.1},
        {SOUND_SETTLE, 0.1, 0.3},
        {SOUND_ROWS_1, 0.3, 0.7},
        {SOUND_ROWS_4, 0.5, 1.0},
        {SOUND_PAUSE, 0.15, 0.3},
        {SOUND_RESUME, 0.15, 0.3},
        {SOUND_GAME_OVER, 1.0, 1.5},
        // clang-format on
    };
    for (auto [effect, shortest, longest] : effects) {
        SoundClip clip = synthesize_effect(effect);
        const float *s = clip.samples;
        float peak = 0, edge = 0;
        double sum = 0;
        for (int i = 0; i < clip.length; i++) {
            peak = std::max(peak, std::fabs(s[i]));
            sum += s[i];
        }
        for (int i = 0; i < 24; i++)
            edge = std::max({edge, std::fabs(s[i]), std::fabs(s[clip.length - 1 - i])});
        EXPECT_GE(clip.length, shortest * SOUND_RATE) << "effect " << effect;
        EXPECT_LE(clip.length, longest * SOUND_RATE) << "effect " << effect;
        EXPECT_LE(peak, 0.5) << "effect " << effect;
        EXPECT_LT(edge, 0.02) << "effect " << effect;
        EXPECT_LT(std::fabs(sum / clip.length), 1e-4) << "effect " << effect;
        free(clip.samples);
    }
}

TEST(Sound, TheMixerStartsEveryEffectAtOnceAndNeverClips) {
    Mixer mixer = {};
    int16_t out[4];
    std::vector<float> faint(100, 0.01f), newest(100, 0.2f), loud(100, 0.45f);
    for (int k = 0; k < MIXER_VOICES; k++) mixer_start(&mixer, faint.data(), 100);
    mix_voices(&mixer, out, 4);
    mixer_start(&mixer, newest.data(), 100);
    mix_voices(&mixer, out, 1);
    EXPECT_NEAR(out[0], (7 * 0.01 + 0.2) * 32767, 1) << "all voices busy: the oldest gave way";
    for (int k = 0; k < MIXER_VOICES; k++) mixer_start(&mixer, loud.data(), 100);
    mix_voices(&mixer, out, 1);
    EXPECT_GT(out[0], 26000) << "eight loud voices";
    EXPECT_LT(out[0], 32767) << "eight loud voices";
}
