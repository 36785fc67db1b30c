#include "audio_test_state.h"

#include <algorithm>
#include <cstring>

#include "audio/mixer.h"
#include "audio/sample_loader.h"
#include "audio/sound_queue.h"
#include "audio/synth.h"

void resetAudioState() {
    std::fill(std::begin(voices), std::end(voices), Voice{});
    resetMixer();
    resetGameSide();
    pendingSlots.clear();
    echoCutRequested = false;
    startedSlots.clear();
    finishedSlots.clear();
    echoCutPending = false;
    retiredSlots.clear();
    freeSamples();
    freeNoteTables();
}

void installSample(int k, const std::vector<StereoFrame>& frames) {
    sampleData[k].reset(new StereoFrame[frames.size()]);
    std::copy(frames.begin(), frames.end(), sampleData[k].get());
    sampleLength[k] = static_cast<uint32_t>(frames.size());
}

Voice sampleVoice(int k, float amplitude, float echoSend) {
    Voice v;
    v.type = firstSampleType + k;
    v.sustain = sampleLength[k];
    v.amplitude = amplitude;
    v.echoSend = echoSend;
    return v;
}

std::vector<StereoFrame> mixFrames(int frames) {
    std::vector<StereoFrame> out(static_cast<size_t>(frames));
    audioCallback(nullptr, reinterpret_cast<unsigned char*>(out.data()), frames * bytesPerFrame);
    return out;
}
