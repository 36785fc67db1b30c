#include <SDL.h>

#include "audio/audio_device.h"
#include "audio/mixer.h"

namespace {

constexpr Uint16 deviceBufferFrames = 2048;  // about 46 ms a callback
constexpr Uint8 deviceChannels = 2;

// The open device; 0 for none.
SDL_AudioDeviceID device = 0;

}  // namespace

// Asks for exactly the mixer's format and allows no change: SDL converts whatever the hardware
// takes.
bool openAudioDevice() {
    SDL_AudioSpec desired{};
    desired.freq = outputRate;
    desired.format = AUDIO_S16LSB;
    desired.channels = deviceChannels;
    desired.samples = deviceBufferFrames;
    desired.callback = audioCallback;
    desired.userdata = nullptr;
    device = SDL_OpenAudioDevice(nullptr, 0, &desired, nullptr, 0);
    return device != 0;
}

void startAudioDevice() { SDL_PauseAudioDevice(device, 0); }

void closeAudioDevice() {
    if (!device) return;
    SDL_PauseAudioDevice(device, 1);
    SDL_CloseAudioDevice(device);
    device = 0;
}
