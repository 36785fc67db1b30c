#include "audio/sound_queue.h"

#include <algorithm>

#include "audio/cue_gate.h"
#include "audio/mixer.h"
#include "audio/sample_loader.h"
#include "audio/synth.h"
#include "base/random.h"

bool reservedSlot[queueSlotCount];
int nextSearchSlot = 0;
std::vector<int> pendingSlots;
bool echoCutRequested = false;

namespace {

// Every sound leans a little left, by 0 to 15 steps of 1/128.
constexpr int panSteps = 16;
constexpr double panStep = 0.0078125;
// Every sound is 1.5 to 1.6023 times as loud as asked, a little differently each time.
constexpr int loudnessSteps = 1024;
constexpr float loudnessStep = 0.0001f;
constexpr double baseLoudness = 1.5;

// The first free slot from the one found last, wrapping once; -1 when all are taken.
int findFreeSlot() {
    for (int k = 0; k < queueSlotCount; ++k) {
        const int slot = (nextSearchSlot + k) % queueSlotCount;
        if (!reservedSlot[slot]) return slot;
    }
    return -1;
}

uint32_t sampleLengthOf(int type) {
    const int sample = sampleIndexOf(type);
    return sample >= 0 ? sampleLength[sample] : 0;
}

}  // namespace

void resetGameSide() {
    std::fill(std::begin(reservedSlot), std::end(reservedSlot), false);
    nextSearchSlot = 0;
}

void playSound(int type, float frequency, float amplitude, float echoSend, float pan) {
    playShapedSound(type, frequency, amplitude, echoSend, pan, defaultSoundShape);
}

void playShapedSound(int type, float frequency, float amplitude, float echoSend, float pan,
                     const SoundShape& shape) {
    if (!cueMayPlay(type, frequency, amplitude, echoSend, pan)) return;
    const int slot = findFreeSlot();
    if (slot < 0) return;
    nextSearchSlot = slot;
    Voice& v = voices[slot];
    v = Voice{};
    v.frequency = frequency;
    v.amplitude = amplitude;
    v.echoSend = echoSend;
    v.quantize = true;
    v.delay = shape.delay;
    v.attack = shape.attack;
    v.sustain = shape.sustain;
    v.release = shape.release;
    v.noteIndex = shape.note;
    v.noteMultiple = shape.noteMultiple;
    v.type = type;
    // The pan's draw comes before the loudness draw.
    v.pan = static_cast<float>(pan + appRandomBelow(panSteps) * panStep);
    if (type >= firstSampleType) {
        v.attack = 0;
        v.sustain = sampleLengthOf(type);
        v.release = 0;
    }
    const double loudness = appRandomBelow(loudnessSteps) * static_cast<double>(loudnessStep) + baseLoudness;
    v.amplitude = static_cast<float>(loudness * amplitude);
    reservedSlot[slot] = true;
    pendingSlots.push_back(slot);
}

void requestEchoCut() { echoCutRequested = true; }

void syncGameSide() {
    std::unique_lock<std::mutex> lock(audioLock, std::try_to_lock);
    if (!lock.owns_lock()) return;
    // Several requests since the last hand-over merge into one cut.
    if (echoCutRequested) {
        echoCutPending = true;
        echoCutRequested = false;
    }
    startedSlots.insert(startedSlots.end(), pendingSlots.begin(), pendingSlots.end());
    pendingSlots.clear();
    for (int slot : finishedSlots) reservedSlot[slot] = false;
    finishedSlots.clear();
}
