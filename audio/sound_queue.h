#pragma once

// Game thread.
void playSound(int type, float frequency, float amplitude, float echoSend, float pan);
void requestEchoCut();
void syncGameSide();
// Audio thread, first thing in every callback.
void syncAudioSide();
