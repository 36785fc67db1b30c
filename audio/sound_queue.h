#pragma once
#include <cstdint>
#include <vector>

#include "audio/handover.h"

// How a voice is shaped: the silence before it and its envelope, in frames, and for the note
// types the note table it reads and the multiple it reads it at.
struct SoundShape {
    uint32_t delay;
    uint32_t attack;
    uint32_t sustain;
    uint32_t release;
    int8_t note;
    int8_t noteMultiple;
};

// What playSound() gives every sound: a 1.26 s swell and fade, no note.
constexpr SoundShape defaultSoundShape = {0, 500, 5000, 50000, 0, 0};

// Game thread.
void playSound(int type, float frequency, float amplitude, float echoSend, float pan);
// The same with a shape of the game's own. A sample keeps the delay and plays whole, as ever.
void playShapedSound(int type, float frequency, float amplitude, float echoSend, float pan,
                     const SoundShape& shape);
void requestEchoCut();
void syncGameSide();

// Game thread; true from playSound() until the slot comes back through finishedSlots.
// All false from initAudio().
extern bool reservedSlot[queueSlotCount];
// Game thread; where the next free-slot search begins (the slot found last). 0 from initAudio().
extern int nextSearchSlot;
// Game thread; slots queued by playSound() since the last game-side hand-over, in call order.
extern std::vector<int> pendingSlots;
// Game thread; an echo cut asked for and not yet handed over.
extern bool echoCutRequested;

// No slot reserved, the search back at slot 0.
void resetGameSide();
