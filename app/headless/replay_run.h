#pragma once
// A recorded game played without window or sound, as fast as it goes, rolled back at every tick
// with --sync-test.
#include <cstdint>

// A cut-off recording has no end and may never reach game over: it is stopped this many ticks
// after its last event.
constexpr uint32_t headlessTickLimit = 1000000;

// Plays the loaded replay without window or sound and prints its last line. Exit status: 0, or
// 1 when the game had to be stopped.
int runHeadlessReplay();
// The same, but after every tick the game goes back `rollback` ticks to a snapshot and runs them
// again, and each tick run again must give the digest of its first run. A difference is said on
// standard error and ends the run with status 1.
int runSyncTest(unsigned rollback);
