#pragma once
// The sounds of a tick played once, however often a rollback runs the tick.
#include <cstdint>

// While a game may run a tick more than once, the session opens the gate at every tick it runs:
// a cue that the tick's first run played is not played again; a cue that only a later run makes
// is played, unless it comes too late to belong with the picture. A cue the later run no longer
// makes is left to finish. Closed, the gate lets every sound through. Game thread.
void openCueTick(uint32_t tick, bool runAgain, bool tooLate);
void closeCueGate();
// Whether a sound of these values may start now; false when its tick played it already.
bool cueMayPlay(int type, float frequency, float amplitude, float echoSend, float pan);
