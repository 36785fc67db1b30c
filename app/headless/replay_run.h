#pragma once
// A recorded game played without window or sound, as fast as it goes.
#include <cstdint>

// A cut-off recording has no end and may never reach game over: it is stopped this many ticks
// after its last event.
constexpr uint32_t headlessTickLimit = 1000000;

// Plays the loaded replay without window or sound and prints its last line. Exit status: 0, or
// 1 when the game had to be stopped.
int runHeadlessReplay();
