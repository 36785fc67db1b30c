#include <SDL.h>

#include "audio/audio_device.h"
#include "audio/sdl_audio_spec.h"

// With no record for what was obtained, SDL converts to what the hardware takes.
bool openAudioDevice() {
    SDL_AudioSpec desired = mixerAudioSpec();
    return SDL_OpenAudio(&desired, nullptr) == 0;
}

void startAudioDevice() { SDL_PauseAudio(0); }

void closeAudioDevice() {
    SDL_PauseAudio(1);
    SDL_CloseAudio();
}
