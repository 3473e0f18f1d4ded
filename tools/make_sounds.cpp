// Writes every sound effect as a 16-bit mono WAV: the references the sound
// test compares the synthesizer with, sample by sample.  Before it writes, it
// measures each effect against what every effect must be (short, no louder
// than -6 dBFS, silent at both ends, without an offset) and refuses all of
// them if one falls short.  Listen to each file before committing it:
//
//     build/make_sounds tests/game/sounds
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "sound_effects.h"
#include "sound_names.h"

namespace {

// Shortest and longest, in seconds.
const double LENGTHS[SOUND_EFFECTS][2] = {{0.02, 0.06}, {0.03, 0.1}, {0.1, 0.3}, {0.3, 0.7},
                                          {0.3, 0.8},   {0.4, 0.9},  {0.5, 1.0}, {0.15, 0.3},
                                          {0.15, 0.3},  {1.0, 1.5}};

// Whether the clip is fit to be an effect; says why not.
bool measures_up(const char *name, const SoundClip &clip, int effect) {
    float peak = 0, edge = 0;
    double sum = 0;
    for (int i = 0; i < clip.length; i++) {
        peak = std::max(peak, std::fabs(clip.samples[i]));
        sum += clip.samples[i];
    }
    for (int i = 0; i < 24 && i < clip.length; i++)
        edge = std::max(
            {edge, std::fabs(clip.samples[i]), std::fabs(clip.samples[clip.length - 1 - i])});
    double seconds = (double)clip.length / SOUND_RATE, offset = std::fabs(sum / clip.length);
    printf("%-10s %.3f s, peak %.3f, edges %.4f, offset %.6f\n", name, seconds, peak, edge, offset);
    const char *fault = seconds < LENGTHS[effect][0]   ? "too short"
                        : seconds > LENGTHS[effect][1] ? "too long"
                        : peak > EFFECT_PEAK + 1e-6    ? "too loud"
                        : edge >= 0.02                 ? "clicks at an end"
                        : offset >= 1e-4               ? "has an offset"
                                                       : nullptr;
    if (fault) fprintf(stderr, "make_sounds: %s %s\n", name, fault);
    return !fault;
}

void put(std::vector<uint8_t> &out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; i++) out.push_back((uint8_t)(value >> (8 * i)));
}

bool write_wav(const std::string &path, const SoundClip &clip) {
    const uint32_t data_bytes = (uint32_t)clip.length * 2;
    std::vector<uint8_t> out;
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    put(out, 36 + data_bytes, 4);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put(out, 16, 4);
    put(out, 1, 2); // PCM
    put(out, 1, 2); // mono
    put(out, SOUND_RATE, 4);
    put(out, SOUND_RATE * 2, 4);
    put(out, 2, 2);
    put(out, 16, 2);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    put(out, data_bytes, 4);
    for (int i = 0; i < clip.length; i++)
        put(out, (uint16_t)(int16_t)std::lround(clip.samples[i] * 32767), 2);
    FILE *f = fopen(path.c_str(), "wb");
    bool written = f && fwrite(out.data(), 1, out.size(), f) == out.size();
    if (f && fclose(f) != 0) written = false;
    if (!written) perror(path.c_str());
    return written;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: make_sounds DIRECTORY\n");
        return 2;
    }
    SoundClip clips[SOUND_EFFECTS];
    bool fit = true;
    for (int k = 0; k < SOUND_EFFECTS; k++) {
        clips[k] = synthesize_effect((SoundEffect)k);
        fit = measures_up(SOUND_NAMES[k], clips[k], k) && fit;
    }
    for (int k = 0; k < SOUND_EFFECTS && fit; k++)
        fit = write_wav(std::string(argv[1]) + "/" + SOUND_NAMES[k] + ".wav", clips[k]);
    for (SoundClip &clip : clips) free(clip.samples);
    return fit ? 0 : 1;
}
