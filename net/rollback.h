#pragma once
// A net game played with rollback: own inputs at once, the peer's predicted, wrong guesses run again.
#include <cstdint>
#include <vector>

#include "net/lockstep.h"

// The delay of this side's own inputs under rollback, unless the host sets one: one tick, so a
// key pressed in a pass plays in the next tick.
constexpr uint32_t rollbackDelay = 1;
// Ticks run at most beyond the peer's last known one; a side further ahead waits for it.
constexpr uint32_t maxPrediction = 8;

// Rollback shares lockstep's session, messages, acknowledgements, sync checks and limits
// (net/lockstep.h); these are the calls that differ. acceptInputs() notes the first tick run on a
// prediction that the peer's inputs prove wrong. The peer's unknown ticks are predicted as
// "no new press or release", so what the peer held stays held.
void beginRollback(LockstepSession& s, int localPlayer, uint32_t delay, uint8_t game);
// Whether the next tick may run: this side's inputs for it are closed, and it is at most
// maxPrediction ticks beyond the peer's last known one.
bool rollbackTickReady(const LockstepSession& s);
// The inputs of tick `tick` as they stand: both players' where the peer's are known, this side's
// and the prediction otherwise. Counts the tick as run.
std::vector<InputEvent> takeRollbackTick(LockstepSession& s);
// The earliest tick to run again, or false when every prediction run so far holds; the session
// goes back there (rewindRollback) and runs forward again.
bool rollbackDue(const LockstepSession& s, uint32_t& tick);
void rewindRollback(LockstepSession& s, uint32_t tick);
// The next tick whose inputs are final and that has run with them, with both players' events;
// false when there is none yet. Each tick is handed out once, in order.
bool takeFinalTick(LockstepSession& s, std::vector<InputEvent>& events);
// A sync check's digest after a run of its tick, which may yet be run again.
void noteProvisionalDigest(LockstepSession& s, uint64_t digest);
// The sync checks whose ticks are final, each once, as messages to send; compared as lockstep's.
std::vector<Message> finalDigests(LockstepSession& s);
