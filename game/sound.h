// The game's sound: the effects made and the audio device opened beside
// the game, on a thread of their own, so that a sound server that hangs
// never holds up the window or a frame.  Until sound is ready, and where
// there is none, the game plays silently.
#pragma once

#include "game_state.h"

// Sample frames of one audio buffer: about 10 ms, the most an effect waits
// for its first buffer.
enum { SOUND_BUFFER_FRAMES = 512 };

// Starts bringing sound up and returns at once.  SDL must be started.
void start_sound();

// After each frame of play: starts the effects its events call for, unless
// the player muted the game (which silences what still sounds).  A pause
// cuts what still sounds, so that only its own blip is heard.  The device
// rests while nothing sounds, and goes once the game is over and silent.
void sound_frame(const GameState *state);

// Closes the sound.  A start still waiting for its sound server is given
// about a second, then left behind.
void stop_sound();
