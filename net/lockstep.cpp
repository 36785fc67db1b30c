#include "net/lockstep.h"

#include <algorithm>

namespace {

// Under rollback a tick run before the peer's inputs came was run on "nothing new": any event of
// the peer's in it proves the prediction wrong.
void noteMispredictions(LockstepSession& s, uint32_t knownBefore) {
    const uint32_t runBefore = std::min(s.remoteKnown, s.executed);
    if (runBefore <= knownBefore) return;
    const auto end = s.remoteTicks.lower_bound(runBefore);
    for (auto it = s.remoteTicks.lower_bound(knownBefore); it != end; ++it) {
        if (!it->second.empty()) s.mispredicted = std::min(s.mispredicted, it->first);
    }
}

void compareDigests(LockstepSession& s, uint32_t tick) {
    auto local = s.localDigests.find(tick);
    auto remote = s.remoteDigests.find(tick);
    if (local == s.localDigests.end() || remote == s.remoteDigests.end()) return;
    if (local->second != remote->second && !s.outOfSync) {
        s.outOfSync = true;
        s.outOfSyncTick = tick;
    }
    s.localDigests.erase(local);
    s.remoteDigests.erase(remote);
}

size_t eventsQueuedFor(const LockstepSession& s, uint32_t tick) {
    return std::count_if(s.pending.begin(), s.pending.end(),
                         [tick](const InputEvent& e) { return e.tick == tick; });
}

}  // namespace

// Ticks of this side that are run and held by the peer are needed no more; under rollback, not
// before they are final too: a tick may be run again.
void dropSettledTicks(LockstepSession& s) {
    const uint32_t settled = std::min(s.rollback ? s.recorded : s.executed, s.peerHolds);
    s.localTicks.erase(s.localTicks.begin(), s.localTicks.lower_bound(settled));
    if (s.rollback) s.remoteTicks.erase(s.remoteTicks.begin(), s.remoteTicks.lower_bound(s.recorded));
}

uint32_t delayForRoundTrip(uint32_t roundTripMs) {
    const uint32_t cover = roundTripMs / 2 + delayMargin;
    return std::max(minimumDelay, (cover + tickLength - 1) / tickLength);
}

void beginLockstep(LockstepSession& s, int localPlayer, uint32_t delay, uint8_t game) {
    s = LockstepSession{};
    s.localPlayer = localPlayer;
    s.delay = delay;
    s.game = game;
}

bool stampLocalEvent(LockstepSession& s, int type, int button) {
    InputEvent event;
    event.tick = std::max(s.executed + s.delay, s.localClosed);
    event.player = s.localPlayer;
    event.sequence = static_cast<int8_t>(eventsQueuedFor(s, event.tick) + 1);
    event.type = type;
    event.button = button;
    return queueLocalEvent(s, event);
}

bool queueLocalEvent(LockstepSession& s, const InputEvent& event) {
    if (event.tick < s.localClosed || eventsQueuedFor(s, event.tick) >= maxEventsPerTick) return false;
    s.pending.push_back(event);
    return true;
}

void closeLocalTicks(LockstepSession& s, uint32_t last) {
    if (s.stopAt == 0) return;
    last = std::min(last, s.stopAt - 1);
    for (uint32_t tick = s.localClosed; tick <= last; ++tick) {
        std::vector<InputEvent>& events = s.localTicks[tick];
        for (const InputEvent& e : s.pending) {
            if (e.tick == tick) events.push_back(e);
        }
        std::sort(events.begin(), events.end());
    }
    if (last + 1 > s.localClosed) s.localClosed = last + 1;
    s.pending.erase(std::remove_if(s.pending.begin(), s.pending.end(),
                                   [&s](const InputEvent& e) { return e.tick < s.localClosed; }),
                    s.pending.end());
}

void closeForNextTick(LockstepSession& s) { closeLocalTicks(s, s.executed + s.delay); }

bool tickReady(const LockstepSession& s) {
    return s.executed < s.stopAt && s.executed < s.localClosed && s.executed < s.remoteKnown;
}

// Under rollback this side may have run past the peer's leaving tick on predictions: it goes back.
void stopAtTick(LockstepSession& s, uint32_t tick) {
    s.stopAt = std::min(s.stopAt, s.rollback ? tick : std::max(tick, s.executed));
    if (s.rollback && s.stopAt < s.executed) s.mispredicted = std::min(s.mispredicted, s.stopAt);
}

bool stopReached(const LockstepSession& s) { return (s.rollback ? s.recorded : s.executed) >= s.stopAt; }

std::vector<InputEvent> takeTick(LockstepSession& s) {
    std::vector<InputEvent> events = s.localTicks.at(s.executed);
    auto remote = s.remoteTicks.find(s.executed);
    if (remote != s.remoteTicks.end()) {
        events.insert(events.end(), remote->second.begin(), remote->second.end());
        s.remoteTicks.erase(remote);
    }
    std::sort(events.begin(), events.end());
    ++s.executed;
    dropSettledTicks(s);
    return events;
}

DecodeLimits decodeLimits(const LockstepSession& s) {
    DecodeLimits limits;
    limits.game = s.game;
    limits.peerPlayer = 1 - s.localPlayer;
    limits.executed = s.executed;
    limits.sent = s.localClosed;
    return limits;
}

Message inputsMessage(const LockstepSession& s) {
    Message m;
    m.type = MessageType::Inputs;
    m.game = s.game;
    m.player = static_cast<uint8_t>(s.localPlayer);
    m.received = s.remoteKnown;
    m.firstTick = s.peerHolds;
    const uint32_t end = std::min(s.localClosed, s.peerHolds + tickWindow);
    for (uint32_t tick = s.peerHolds; tick < end; ++tick) m.ticks.push_back(s.localTicks.at(tick));
    return m;
}

void acceptInputs(LockstepSession& s, const Message& inputs) {
    if (inputs.game != s.game) return;
    s.peerHolds = std::max(s.peerHolds, inputs.received);
    dropSettledTicks(s);
    for (size_t offset = 0; offset < inputs.ticks.size(); ++offset) {
        const uint32_t tick = inputs.firstTick + static_cast<uint32_t>(offset);
        if (tick >= s.remoteKnown) s.remoteTicks.emplace(tick, inputs.ticks[offset]);
    }
    const uint32_t knownBefore = s.remoteKnown;
    while (s.remoteTicks.count(s.remoteKnown)) ++s.remoteKnown;
    if (s.rollback) noteMispredictions(s, knownBefore);
}

int32_t msAheadOfPeer(const LockstepSession& s, uint32_t gameMs, uint32_t roundTripMs) {
    if (s.remoteKnown < s.delay) return 0;
    const int64_t peerMs = int64_t(s.remoteKnown - s.delay) * tickLength + roundTripMs / 2;
    return static_cast<int32_t>(int64_t(gameMs) - peerMs);
}

bool syncDue(const LockstepSession& s) { return s.executed > 0 && s.executed % syncInterval == 0; }

Message noteLocalDigest(LockstepSession& s, uint64_t digest) {
    return noteLocalDigestAt(s, s.executed, digest);
}

Message noteLocalDigestAt(LockstepSession& s, uint32_t tick, uint64_t digest) {
    s.localDigests[tick] = digest;
    Message m;
    m.type = MessageType::Sync;
    m.game = s.game;
    m.tick = tick;
    m.digest = digest;
    compareDigests(s, tick);
    return m;
}

// A digest for a tick this side has run without keeping its own was compared already.
void noteRemoteDigest(LockstepSession& s, const Message& sync) {
    if (sync.game != s.game) return;
    if (sync.tick < (s.rollback ? s.recorded : s.executed) && !s.localDigests.count(sync.tick)) return;
    s.remoteDigests[sync.tick] = sync.digest;
    compareDigests(s, sync.tick);
}

bool peerHoldsThrough(const LockstepSession& s, uint32_t end) { return s.peerHolds >= end; }

void noteRoundTrip(RoundTrip& trip, uint32_t ms) { trip.samples[trip.count++ % RoundTrip::kept] = ms; }

uint32_t meanRoundTrip(const RoundTrip& trip) {
    const int n = std::min(trip.count, RoundTrip::kept);
    uint64_t sum = 0;
    for (int i = 0; i < n; ++i) sum += trip.samples[i];
    return n ? static_cast<uint32_t>(sum / n) : 0;
}
