#pragma once
#include <vector>

#include "audio/voice.h"
#include "frame_printer.h"

// Puts every piece of audio state back to how a fresh process has it: no voices, silent echo,
// empty hand-over lists, no samples, no note tables.
void resetAudioState();
// Makes `frames` sample k, as if it had been loaded from a file.
void installSample(int k, const std::vector<StereoFrame>& frames);
// A voice that plays sample k once at full level in the middle: no delay, no envelope.
Voice sampleVoice(int k, float amplitude, float echoSend);
// Runs the callback for `frames` frames and returns them.
std::vector<StereoFrame> mixFrames(int frames);
