#include <gtest/gtest.h>

#include <SDL.h>
#include <cmath>
#include <string>

#include "mixer.h"
#include "sound_names.h"
#include "sound_effects.h"

// Sample by sample as reviewed: tools/make_sounds writes the references, once
// every effect is short, under -6 dBFS and silent at both ends.
TEST(Sound, EveryEffectSoundsAsReviewed) {
    for (int effect = 0; effect < SOUND_EFFECTS; effect++) {
        std::string path = std::string(SOUNDS_DIR) + "/" + SOUND_NAMES[effect] + ".wav";
        SDL_AudioSpec kind;
        Uint8 *wav = nullptr;
        Uint32 bytes = 0;
        ASSERT_TRUE(SDL_LoadWAV(path.c_str(), &kind, &wav, &bytes)) << path;
        SoundClip clip = synthesize_effect((SoundEffect)effect);
        int unlike = 0;
        for (int i = 0; i < clip.length && i < (int)bytes / 2; i++)
            unlike += !(std::fabs(clip.samples[i] * 32767 - ((int16_t *)wav)[i]) <= 2); // NaN too
        EXPECT_EQ(clip.length, (int)bytes / 2) << SOUND_NAMES[effect] << ": the length";
        EXPECT_EQ(unlike, 0) << SOUND_NAMES[effect] << ": samples unlike the reference's";
        SDL_FreeWAV(wav);
        free(clip.samples);
    }
}

TEST(Sound, TheMixerStartsEveryEffectAtOnceAndNeverClips) {
    Mixer mixer = {};
    int16_t out[4];
    std::vector<float> faint(100, 0.01f), newest(100, 0.2f), loud(100, 0.45f), past_knee(100, 0.6f);
    for (int k = 0; k < MIXER_VOICES; k++) mixer_start(&mixer, faint.data(), 100);
    mix_voices(&mixer, out, 4);
    mixer_start(&mixer, newest.data(), 100);
    mix_voices(&mixer, out, 1);
    EXPECT_NEAR(out[0], (7 * 0.01 + 0.2) * 32767, 1) << "all voices busy: the oldest gave way";
    for (int k = 0; k < MIXER_VOICES; k++) mixer_start(&mixer, loud.data(), 100);
    mix_voices(&mixer, out, 1);
    EXPECT_LT(out[0], 32767) << "eight loud voices";
    mixer_stop_all(&mixer);
    mixer_start(&mixer, past_knee.data(), 100);
    mix_voices(&mixer, out, 1);
    EXPECT_NEAR(out[0], 0.6 * 32767, 100) << "all stopped, one just past the knee";
}
