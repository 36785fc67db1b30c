#pragma once
#include <cstdint>
#include <map>
#include <vector>

#include "net/message.h"

constexpr uint32_t minimumDelay = 2;  // ticks
constexpr uint32_t delayMargin =
    30;  // ms the delay covers beyond half the round trip: jitter, and a lost packet covered 18 ms later

// The input delay for a round trip: the smallest D whose D ticks cover half the round trip and
// the margin, at least minimumDelay.
uint32_t delayForRoundTrip(uint32_t roundTripMs);

// One game played in lockstep: this side's inputs, stamped `delay` ticks ahead and sent until
// the peer holds them, the peer's as they arrive, and the digests the two compare. A tick runs
// only once both sides' inputs for it are known. Owned by whoever plays the net game; made anew
// by beginLockstep() at every game.
struct LockstepSession {
    int localPlayer = 0;
    uint32_t delay = minimumDelay;
    uint8_t game = 0;                 // the connection's game number, in every message of it
    uint32_t executed = 0;            // ticks run
    uint32_t localClosed = 0;         // this side's ticks below it are final
    uint32_t remoteKnown = 0;         // the peer's ticks below it are all known
    uint32_t peerHolds = 0;           // the peer holds this side's ticks below it
    std::vector<InputEvent> pending;  // this side's events for ticks not yet closed
    std::map<uint32_t, std::vector<InputEvent>> localTicks;   // closed, until run and acknowledged
    std::map<uint32_t, std::vector<InputEvent>> remoteTicks;  // received, until run
    std::map<uint32_t, uint64_t> localDigests;                // sync checks this side made, until compared
    std::map<uint32_t, uint64_t> remoteDigests;               // the peer's, until compared
    uint32_t stopAt = UINT32_MAX;  // a player left: the game ends when this many ticks ran
    bool outOfSync = false;
    uint32_t outOfSyncTick = 0;
    // Under rollback (net/rollback.h): ticks run on a prediction of the peer's inputs.
    bool rollback = false;
    uint32_t mispredicted = UINT32_MAX;               // the first tick run whose prediction proved wrong
    uint32_t recorded = 0;                            // ticks whose inputs were handed out as final
    std::map<uint32_t, uint64_t> provisionalDigests;  // sync checks of ticks run, until final
};

void beginLockstep(LockstepSession& s, int localPlayer, uint32_t delay, uint8_t game);
// Drops the ticks of both sides that no message and no run will need again.
void dropSettledTicks(LockstepSession& s);
// A local press or release now: stamped for the tick `delay` after the next one to run. False
// when that tick holds maxEventsPerTick already.
bool stampLocalEvent(LockstepSession& s, int type, int button);
// A local event for a tick of its own (a script's), which must not be closed yet.
bool queueLocalEvent(LockstepSession& s, const InputEvent& event);
// This side's ticks up to and including `last` become final, with the events queued for them.
void closeLocalTicks(LockstepSession& s, uint32_t last);
// Before a tick runs: the tick `delay` ahead is closed (and so is every tick before it).
void closeForNextTick(LockstepSession& s);
bool tickReady(const LockstepSession& s);
// A player leaves: this side closes no tick from `tick` on, and the game ends once both sides ran
// the ticks before it. The leaving side takes the first tick it has not closed, which the peer
// cannot have run.
void stopAtTick(LockstepSession& s, uint32_t tick);
bool stopReached(const LockstepSession& s);
// The inputs of the next tick, both players' in the game's order; the tick counts as run.
std::vector<InputEvent> takeTick(LockstepSession& s);

DecodeLimits decodeLimits(const LockstepSession& s);
// This side's digest after `tick` ticks.
Message noteLocalDigestAt(LockstepSession& s, uint32_t tick, uint64_t digest);

// Every closed tick the peer does not hold yet, and what this side holds of the peer's.
Message inputsMessage(const LockstepSession& s);
// Takes the peer's inputs and acknowledgement; another game's are old or early and are dropped.
// Ticks already known are repeats, sent before the acknowledgement reached the peer.
void acceptInputs(LockstepSession& s, const Message& inputs);

// How far this side's game runs ahead of the peer's, in ms, at `gameMs` of its own game time:
// the peer closes `delay` ticks ahead of the one it runs, and what it sent took half the round
// trip. A side that starts late (its start message was lost and sent again) stays behind for the
// whole game unless the side ahead gives way: it then waits for the peer at every lost packet.
int32_t msAheadOfPeer(const LockstepSession& s, uint32_t gameMs, uint32_t roundTripMs);

// This side's digest after `tick` ticks, when that is a sync check's tick: the message to send.
bool syncDue(const LockstepSession& s);
Message noteLocalDigest(LockstepSession& s, uint64_t digest);
void noteRemoteDigest(LockstepSession& s, const Message& sync);
// True once the peer holds every tick this side closed below `end`.
bool peerHoldsThrough(const LockstepSession& s, uint32_t end);

// The round trip as this side's pings measure it: the mean of the last few.
struct RoundTrip {
    static constexpr int kept = 8;
    uint32_t samples[kept] = {};
    int count = 0;  // all samples taken; the last `kept` are in the ring
};

void noteRoundTrip(RoundTrip& trip, uint32_t ms);
uint32_t meanRoundTrip(const RoundTrip& trip);
