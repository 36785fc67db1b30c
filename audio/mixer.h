#pragma once
#include <atomic>
#include <cstdint>

#include "audio/voice.h"

constexpr int bytesPerFrame = 4;
constexpr int voiceSlotCount = 512;
constexpr int echoFrameCount = 2 * outputRate;  // two seconds of echo

// Writer: game thread while a slot is reserved and not yet started; audio thread from its start
// until it is reported finished (ownership passes only through the hand-over under audioLock).
extern Voice voices[voiceSlotCount];
// Audio thread only, set through activateVoice(); all false from initAudio().
extern bool voiceActive[voiceSlotCount];
// Audio thread only; cleared once by initAudio(), then only halved by echo cuts.
extern StereoFrame echoBuffer[echoFrameCount];
// Audio thread only; the three echo taps, 0 from initAudio().
extern int forwardTap;
extern int doubleTap;
extern int reverseTap;
// Audio thread only; frames produced since initAudio() set it to 0; wraps at 2^32.
extern uint32_t frameCounter;

constexpr int fullOutputVolume = 100;
// Percent of the mix that is heard, 0 to 100: at 100 the output is the mix itself. Written by the
// main thread at any time; the audio thread reads it once per callback.
extern std::atomic<int> outputVolume;

// The three tap readings of one frame of the echo network.
struct EchoReadings {
    StereoFrame forward;
    StereoFrame doubled;
    StereoFrame reverse;
};

// Audio thread, first thing in every callback: takes the voices and the echo cut the game thread
// handed over, and hands back the slots finished since.
void syncAudioSide();
// The SDL callback in plain types (SDL's Uint8 is unsigned char); `len` is in bytes.
void audioCallback(void* userdata, unsigned char* stream, int len);
// Audio thread: the slot is mixed from the next frame until its voice finishes.
void activateVoice(int slot);
// Silent echo, taps and frame counter at 0, no voice being mixed.
void resetMixer();
EchoReadings runEchoNetwork(StereoFrame send);
StereoFrame stepForwardTap(StereoFrame send);
StereoFrame stepDoubleTap(StereoFrame send);
StereoFrame stepReverseTap(StereoFrame send);
// The frame as heard at `volume` percent, truncated toward zero.
StereoFrame atVolume(StereoFrame f, int volume);
// Halves every lane of the echo buffer in place, truncating toward zero.
void applyEchoCut();
