#include <SDL.h>

#include "audio/audio_device.h"
#include "audio/sdl_audio_spec.h"

namespace {

// The open device; 0 for none.
SDL_AudioDeviceID device = 0;

}  // namespace

// Allows no change: SDL converts to what the hardware takes.
bool openAudioDevice() {
    SDL_AudioSpec desired = mixerAudioSpec();
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
