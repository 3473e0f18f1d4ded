#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "mixer.h"
#include "sound_effects.h"

static std::vector<float> made(SoundEffect effect) {
    SoundClip clip = synthesize_effect(effect);
    std::vector<float> samples(clip.samples, clip.samples + clip.length);
    free(clip.samples);
    return samples;
}

TEST(Sound, EveryEffectIsShortAudibleUnclippedAndStartsAndEndsInSilence) {
    const struct {
        SoundEffect effect;
        double shortest, longest; // seconds
    } effects[] = {
        {SOUND_STEP, 0.02, 0.06},  {SOUND_TURN, 0.03, 0.1},     {SOUND_SETTLE, 0.1, 0.3},
        {SOUND_ROWS_1, 0.3, 0.7},  {SOUND_ROWS_4, 0.5, 1.0},    {SOUND_PAUSE, 0.15, 0.3},
        {SOUND_RESUME, 0.15, 0.3}, {SOUND_GAME_OVER, 1.0, 1.5},
    };
    for (auto [effect, shortest, longest] : effects) {
        std::vector<float> s = made(effect);
        double seconds = (double)s.size() / SOUND_RATE, peak = 0, sum = 0, edge = 0;
        for (float x : s) {
            peak = std::max(peak, (double)std::fabs(x));
            sum += x;
        }
        for (size_t i = 0; i < 24; i++)
            edge =
                std::max({edge, (double)std::fabs(s[i]), (double)std::fabs(s[s.size() - 1 - i])});
        EXPECT_GE(seconds, shortest) << "effect " << effect;
        EXPECT_LE(seconds, longest) << "effect " << effect;
        EXPECT_LE(peak, 0.5) << "effect " << effect << " peaks under -6 dBFS";
        EXPECT_GE(peak, 0.2) << "effect " << effect << " is heard";
        EXPECT_LT(edge, 0.02) << "effect " << effect << " fades in and out";
        EXPECT_LT(std::fabs(sum / s.size()), 1e-4) << "effect " << effect << " has no offset";
    }
}

// Each row names only the events that happened.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

TEST(Sound, EachEventCallsForItsEffect) {
    const struct {
        const char *name;
        FrameEvents events;
        std::vector<SoundEffect> effects;
    } cases[] = {
        {"nothing", {}, {}},
        {"a step", {.stepped = true}, {SOUND_STEP}},
        {"a settle with a row", {.settled = true, .rows_removed = 1}, {SOUND_SETTLE, SOUND_ROWS_1}},
        {"six rows", {.rows_removed = 6}, {SOUND_ROWS_4}},
        {"the end", {.settled = true, .ended = true}, {SOUND_SETTLE, SOUND_GAME_OVER}},
        {"a pause", {.paused = true}, {SOUND_PAUSE}},
        {"a resume and a step", {.stepped = true, .resumed = true}, {SOUND_RESUME, SOUND_STEP}},
    };
    for (const auto &c : cases) {
        SoundEffect out[MOST_FRAME_EFFECTS];
        int n = effects_for_events(&c.events, out);
        EXPECT_EQ(std::vector<SoundEffect>(out, out + n), c.effects) << c.name;
    }
}

TEST(Sound, TheMixerStartsEveryEffectAtOnceAndNeverClips) {
    Mixer mixer = {};
    const float quiet[] = {0.25f, -0.5f, 0.125f};
    int16_t out[4];
    mixer_start(&mixer, quiet, 3);
    mix_voices(&mixer, out, 4);
    EXPECT_EQ(std::vector<int16_t>(out, out + 4), (std::vector<int16_t>{8192, -16384, 4096, 0}))
        << "one quiet voice passes unchanged, then silence";
    EXPECT_FALSE(mixer_busy(&mixer)) << "played out";

    std::vector<float> faint(100, 0.01f), newest(100, 0.2f), loud(100, 0.45f);
    for (int k = 0; k < MIXER_VOICES; k++) mixer_start(&mixer, faint.data(), 100);
    mix_voices(&mixer, out, 4);
    mixer_start(&mixer, newest.data(), 100);
    mix_voices(&mixer, out, 1);
    EXPECT_NEAR(out[0], (7 * 0.01 + 0.2) * 32767, 1)
        << "with every voice busy, the oldest gave way";
    for (int k = 0; k < MIXER_VOICES; k++) mixer_start(&mixer, loud.data(), 100);
    mix_voices(&mixer, out, 1);
    EXPECT_GT(out[0], 26000) << "eight loud voices mixed";
    EXPECT_LT(out[0], 32767) << "eight loud voices limited";
    mixer_stop_all(&mixer);
    mix_voices(&mixer, out, 1);
    EXPECT_EQ(out[0], 0) << "stopped";
}
