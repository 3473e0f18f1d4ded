// The sound effects' reference files, tests/game/sounds/NAME.wav, in effect
// order: written by make_sounds, read by the sound test.
#pragma once

#include "sound_effects.h"

const char *const SOUND_NAMES[SOUND_EFFECTS] = {"step",   "turn",     "settle", "rows_1",
                                                "rows_2", "rows_3",   "rows_4", "pause",
                                                "resume", "game_over"};
