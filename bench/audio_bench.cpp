// What the audio engine costs: building the note tables at start-up, and one device buffer of
// 2048 frames with 0, 8 and 256 voices playing at full volume and 8 turned down, against the
// 46 ms the device gives it.
#include <chrono>
#include <cstdio>
#include <vector>

#include "audio/mixer.h"
#include "audio/sample_loader.h"
#include "audio/synth.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int bufferFrames = 2048;
constexpr double bufferMilliseconds = 1000.0 * bufferFrames / outputRate;
constexpr int callbacksPerRun = 50;
constexpr int lastVoiceType = static_cast<int>(VoiceType::Triangle);

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Voices of every synthesized type and both samples in turn, long enough to outlast the run.
void startVoices(int count) {
    resetMixer();
    for (int i = 0; i < count; ++i) {
        Voice v;
        const int kind = i % (lastVoiceType + sampleCount);
        v.type = kind < lastVoiceType ? kind + 1 : firstSampleType + kind - lastVoiceType;
        v.frequency = 220.0f + 10.0f * static_cast<float>(i);
        v.amplitude = 0.01f;
        v.echoSend = 0.5f;
        v.attack = 500;
        v.sustain = 10000000;
        v.release = 50000;
        v.noteIndex = static_cast<int8_t>(i % noteCount);
        v.noteMultiple = 1;
        voices[i] = v;
        activateVoice(i);
    }
}

void installBenchSamples() {
    for (int k = 0; k < sampleCount; ++k) {
        constexpr uint32_t length = callbacksPerRun * bufferFrames;
        sampleData[k].reset(new StereoFrame[length]());
        sampleLength[k] = length;
    }
}

}  // namespace

int main() {
    buildNoteFrequencies();
    const Clock::time_point tablesStart = Clock::now();
    buildNoteTables();
    std::printf("24 note tables: %.1f ms\n", millisecondsSince(tablesStart));

    installBenchSamples();
    std::vector<unsigned char> buffer(bufferFrames * bytesPerFrame);
    struct Run {
        int voices;
        int volume;
    };
    for (Run run :
         {Run{0, fullOutputVolume}, Run{8, fullOutputVolume}, Run{256, fullOutputVolume}, Run{8, 70}}) {
        startVoices(run.voices);
        outputVolume = run.volume;
        const Clock::time_point start = Clock::now();
        for (int i = 0; i < callbacksPerRun; ++i) {
            audioCallback(nullptr, buffer.data(), static_cast<int>(buffer.size()));
        }
        const double perCallback = millisecondsSince(start) / callbacksPerRun;
        std::printf("%3d voices at volume %3d: %.3f ms per %d-frame callback, %.1f%% of %.1f ms\n",
                    run.voices, run.volume, perCallback, bufferFrames,
                    100.0 * perCallback / bufferMilliseconds, bufferMilliseconds);
    }
    freeNoteTables();
    freeSamples();
    return 0;
}
