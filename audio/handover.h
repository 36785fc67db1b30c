#pragma once
#include <list>
#include <mutex>

// The hand-over of voice slots between the game thread (sound_queue.cpp) and the audio thread
// (the mixer and syncAudioSide()). Created empty with the program, never destroyed;
// echoCutPending is cleared by initAudio(). Everything under audioLock is touched only by the two
// hand-overs, each taking the lock with try_lock(), so neither thread ever waits for the other.

constexpr int queueSlotCount = 256;  // only voice slots below this are ever handed over

extern std::mutex audioLock;
// Under audioLock; slots handed from the game thread to the audio thread, in call order.
extern std::list<int> startedSlots;
// Under audioLock; slots handed back from the audio thread, in order of finishing.
extern std::list<int> finishedSlots;
// Under audioLock; an echo cut handed over and not yet applied.
extern bool echoCutPending;
// Audio thread; slots the mixer has finished since the last audio-side hand-over.
extern std::list<int> retiredSlots;
