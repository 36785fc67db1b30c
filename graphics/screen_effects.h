#pragma once

// Counters of the screen effects, main thread; never reset.
extern int effectSteps;
extern int paletteDriftSpeed;

constexpr int paletteRetargetPeriod = 2000;  // steps between new palette targets

// One step of palette drift, shade decay and grid motion; once per main-loop pass.
void stepScreenEffects();
// Shade and grid back to rest; palettes and counters untouched.
void resetScreenEffects();
// Raises the jitter of vertex (x, y) for x < 160, y < 100; elsewhere nothing.
void agitate(int x, int y, float amount);
