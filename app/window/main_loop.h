#pragma once
// The main loop: each pass takes the events, runs the due ticks, draws and sleeps.
#include <cstdint>

#include "app/input/actions.h"

// What one run of mainLoop() carries from pass to pass.
struct LoopLocals {
    uint32_t accumulator = 0;  // ms not yet turned into ticks
    bool napped = false;       // the previous pass slept 6 or 9 ms
};

void mainLoop();
// Takes every event the platform has, and lets go of keys released unheard; false when a quit
// event asks the loop to end at once.
bool pollEvents();
void beginLoop(LoopLocals& locals);
// One pass; false when the loop ends.
bool runPass(LoopLocals& locals);
// What an action does: a game's buttons take presses and releases unless a replay feeds them,
// the menu takes its moves, and leaving and pictures work everywhere.
void performAction(const Action& action);
void renderFrame();
void updateGraphicsInputs();
