#include <SDL.h>

#include "audio/audio_device.h"
#include "audio/mixer.h"

namespace {

constexpr Uint16 deviceBufferFrames = 2048;  // about 46 ms a callback
constexpr Uint8 deviceChannels = 2;

}  // namespace

// Asks for exactly the mixer's format; with no record for what was obtained, SDL converts
// whatever the hardware takes.
bool openAudioDevice() {
    SDL_AudioSpec desired{};
    desired.freq = outputRate;
    desired.format = AUDIO_S16LSB;
    desired.channels = deviceChannels;
    desired.samples = deviceBufferFrames;
    desired.callback = audioCallback;
    desired.userdata = nullptr;
    return SDL_OpenAudio(&desired, nullptr) == 0;
}

void startAudioDevice() { SDL_PauseAudio(0); }

void closeAudioDevice() {
    SDL_PauseAudio(1);
    SDL_CloseAudio();
}
