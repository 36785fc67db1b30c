#pragma once
// The device format both SDL platforms ask for. Included only by the platform files, after the
// SDL of their build.
#include <SDL.h>

#include "audio/mixer.h"

// Exactly the mixer's format, a callback every 2048 frames (about 46 ms); SDL converts whatever
// the hardware takes.
inline SDL_AudioSpec mixerAudioSpec() {
    SDL_AudioSpec desired{};
    desired.freq = outputRate;
    desired.format = AUDIO_S16LSB;
    desired.channels = 2;
    desired.samples = 2048;
    desired.callback = audioCallback;
    desired.userdata = nullptr;
    return desired;
}
