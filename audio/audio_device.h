#pragma once
#include <string>

// Start-up and shutdown of the whole audio subsystem (main thread). The samples are read from
// "<sampleDirectory>/<name>.ogg".
void initAudio(const std::string& sampleDirectory);
void shutdownAudio();

// Platform side, audio/sdl_device.cpp: the SDL device calling audioCallback. Open leaves it
// paused; false when there is no device (the game then runs silently).
bool openAudioDevice();
void startAudioDevice();
void closeAudioDevice();
