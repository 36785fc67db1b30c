#pragma once
#include <cstdint>
#include <list>
#include <mutex>

// The hand-over of voice slots between the game thread (sound_queue.cpp) and the audio thread
// (the mixer, and syncAudioSide() in mixer_handover.cpp). Created empty with the program, never
// destroyed; echoCutPending is cleared by initAudio(). Everything under audioLock is touched only
// by the two hand-overs, each taking the lock with try_lock(), so neither thread ever waits for
// the other.

constexpr int queueSlotCount = 256;  // only voice slots below this are ever handed over
// A quantized voice handed over starts on the next beat of this grid, counted in the mixer's
// frames; a game spaces its cues by it.
constexpr uint32_t beatFrames = 2756;  // the rhythm grid: 44100 / 16, rounded down
constexpr uint32_t beatsPerAccent = 4;

extern std::mutex audioLock;
// Under audioLock; slots handed from the game thread to the audio thread, in call order.
extern std::list<int> startedSlots;
// Under audioLock; slots handed back from the audio thread, in order of finishing.
extern std::list<int> finishedSlots;
// Under audioLock; an echo cut handed over and not yet applied.
extern bool echoCutPending;
// Audio thread; slots the mixer has finished since the last audio-side hand-over.
extern std::list<int> retiredSlots;
