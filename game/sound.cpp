#include "sound.h"

#include <SDL.h>
#include <dlfcn.h>
#include <cstdio>
#include <cstdlib>

#include "mixer.h"
#include "sound_effects.h"

enum SoundStage { SOUND_OFF, SOUND_STARTING, SOUND_READY, SOUND_NONE, SOUND_LEFT_BEHIND };

// How long a quit waits for a sound start that does not come back.
static const int STOP_PATIENCE_MS = 1000;

static struct {
    SDL_Thread *starter;
    SDL_atomic_t stage; // a SoundStage
    // Made by the starter; the main thread reads them once the stage is ready.
    SDL_AudioDeviceID device;
    SoundClip clips[SOUND_EFFECTS];
    Mixer mixer;      // shared with SDL's audio thread, under the device's lock
    bool sounding;    // the device is not paused
    bool device_gone; // closed after the game
} sound;

static void fill_buffer(void *, Uint8 *stream, int bytes) {
    mix_voices(&sound.mixer, (int16_t *)stream, bytes / (int)sizeof(int16_t));
}

static void say_nothing(const char *, int, const char *, int, const char *, ...) {}

// Without a sound card ALSA prints a screenful of its own on the way to
// SDL's one error, which the game reports in a line.  The library stays
// loaded, so its handler stays set for SDL.
static void quiet_alsa() {
    void *alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    auto set_handler =
        alsa ? (int (*)(decltype(&say_nothing)))dlsym(alsa, "snd_lib_error_set_handler") : nullptr;
    if (set_handler) set_handler(say_nothing);
}

static SDL_AudioDeviceID open_device() {
    quiet_alsa();
    // SDL's own audio start, which leaves SDL's start count alone: a quit
    // of SDL elsewhere never shuts the device down under the game.
    if (SDL_AudioInit(nullptr) < 0) return 0;
    SDL_AudioSpec want = {}, have;
    want.freq = SOUND_RATE;
    want.format = AUDIO_S16SYS;
    want.channels = 1;
    want.samples = SOUND_BUFFER_FRAMES;
    want.callback = fill_buffer;
    // Any other format the device wants is SDL's to convert to.
    SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (!device) SDL_AudioQuit();
    return device;
}

static int bring_up_sound(void *) {
    for (int e = 0; e < SOUND_EFFECTS; e++) sound.clips[e] = synthesize_effect((SoundEffect)e);
    SDL_AudioDeviceID device = open_device();
    sound.device = device;
    int stage = device ? SOUND_READY : SOUND_NONE;
    if (SDL_AtomicCAS(&sound.stage, SOUND_STARTING, stage)) {
        if (!device) fprintf(stderr, "spinwell: playing without sound: %s\n", SDL_GetError());
    } else if (device) { // the game ended while the server kept us waiting
        SDL_CloseAudioDevice(device);
        SDL_AudioQuit();
    }
    return 0;
}

void start_sound() {
    SDL_AtomicSet(&sound.stage, SOUND_STARTING);
    sound.starter = SDL_CreateThread(bring_up_sound, "sound start", nullptr);
    if (!sound.starter) SDL_AtomicSet(&sound.stage, SOUND_NONE);
}

void sound_frame(const GameState *state) {
    if (SDL_AtomicGet(&sound.stage) != SOUND_READY || sound.device_gone) return;
    SoundEffect effects[MOST_FRAME_EFFECTS];
    int count = state->muted ? 0 : effects_for_events(&state->events, effects);
    SDL_LockAudioDevice(sound.device);
    if (state->muted || state->events.paused) mixer_stop_all(&sound.mixer);
    for (int k = 0; k < count; k++)
        mixer_start(&sound.mixer, sound.clips[effects[k]].samples, sound.clips[effects[k]].length);
    bool busy = mixer_busy(&sound.mixer);
    SDL_UnlockAudioDevice(sound.device);
    if (busy != sound.sounding) {
        SDL_PauseAudioDevice(sound.device, busy ? 0 : 1);
        sound.sounding = busy;
    }
    // SDL's audio thread wakes for every buffer even while paused; after the
    // game nothing more will sound, so the device goes.
    if (!busy && state->play_state == GAME_OVER) {
        SDL_CloseAudioDevice(sound.device);
        sound.device_gone = true;
    }
}

void stop_sound() {
    if (!sound.starter) return;
    for (int waited = 0; SDL_AtomicGet(&sound.stage) == SOUND_STARTING && waited < STOP_PATIENCE_MS;
         waited += 10)
        SDL_Delay(10);
    if (SDL_AtomicCAS(&sound.stage, SOUND_STARTING, SOUND_LEFT_BEHIND)) {
        // The starter is stuck in the sound server's handshake: it ends with
        // the process, and its effects with it.
        SDL_DetachThread(sound.starter);
        sound.starter = nullptr;
        return;
    }
    SDL_WaitThread(sound.starter, nullptr);
    sound.starter = nullptr;
    if (SDL_AtomicGet(&sound.stage) == SOUND_READY) {
        if (!sound.device_gone) SDL_CloseAudioDevice(sound.device);
        SDL_AudioQuit();
    }
    for (SoundClip &clip : sound.clips) free(clip.samples);
    sound = {};
}
