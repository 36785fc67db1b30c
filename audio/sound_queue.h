#pragma once
#include <cstdint>
#include <list>
#include <mutex>
#include <vector>

// Game thread.
void playSound(int type, float frequency, float amplitude, float echoSend, float pan);
void requestEchoCut();
void syncGameSide();
// Audio thread, first thing in every callback.
void syncAudioSide();

constexpr int queueSlotCount = 256;   // only voice slots below this are ever started
constexpr uint32_t beatFrames = 2756;  // the rhythm grid: 44100 / 16, rounded down
constexpr uint32_t beatsPerAccent = 4;

// Shared; created with the program, never destroyed. Guards startedSlots, finishedSlots and
// echoCutPending. Taken only with try_lock(): neither thread ever waits for the other.
extern std::mutex audioLock;
// Game thread; true from playSound() until the slot comes back through finishedSlots.
// All false from initAudio().
extern bool reservedSlot[queueSlotCount];
// Game thread; where the next free-slot search begins (the slot found last). 0 from initAudio().
extern int nextSearchSlot;
// Game thread; slots queued by playSound() since the last game-side hand-over, in call order.
extern std::vector<int> pendingSlots;
// Game thread; an echo cut asked for and not yet handed over.
extern bool echoCutRequested;
// Under audioLock; slots handed from the game thread to the audio thread, in call order.
extern std::list<int> startedSlots;
// Under audioLock; slots handed back from the audio thread, in order of finishing.
extern std::list<int> finishedSlots;
// Under audioLock; an echo cut handed over and not yet applied. Cleared by initAudio().
extern bool echoCutPending;
// Audio thread; slots the mixer has finished since the last audio-side hand-over.
extern std::list<int> retiredSlots;

// No slot reserved, the search back at slot 0.
void resetGameSide();
