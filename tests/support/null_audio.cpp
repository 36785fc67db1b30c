#include "audio/audio_device.h"

// No sound card in a unit test: tests call audioCallback() on their own buffers.
bool openAudioDevice() { return false; }
void startAudioDevice() {}
void closeAudioDevice() {}
