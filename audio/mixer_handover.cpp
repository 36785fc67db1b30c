// The audio thread's half of the hand-over (handover.h); the game thread's is in sound_queue.cpp.
#include "audio/handover.h"
#include "audio/mixer.h"

namespace {

constexpr float offAccentLoudness = 0.75f;

// Moves the start of a voice to the first grid point at or after it; starts off the accent are
// a quarter quieter.
void alignToBeat(Voice& v, uint32_t firstFrame) {
    const uint32_t r = (v.delay + firstFrame) % beatFrames;
    if (r == 0) return;
    v.delay = v.delay - r + beatFrames;
    if ((v.delay + firstFrame) / beatFrames % beatsPerAccent != 0) v.amplitude *= offAccentLoudness;
}

}  // namespace

void syncAudioSide() {
    std::unique_lock<std::mutex> lock(audioLock, std::try_to_lock);
    if (!lock.owns_lock()) return;
    // The first frame this callback will produce: a new voice's delay counts from it.
    const uint32_t firstFrame = frameCounter;
    if (echoCutPending) {
        applyEchoCut();
        echoCutPending = false;
    }
    for (int slot : startedSlots) {
        activateVoice(slot);
        if (voices[slot].quantize) alignToBeat(voices[slot], firstFrame);
    }
    startedSlots.clear();
    finishedSlots.splice(finishedSlots.end(), retiredSlots);
}
