#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "net/lockstep.h"
#include "net/rollback.h"

namespace {

constexpr uint32_t gameTicks = 400;

struct Side {
    LockstepSession session;
    std::vector<std::vector<InputEvent>> ran;  // each tick's inputs as run
    std::vector<InputEvent> stamped;           // every local event, as stamped
};

// The way between two sides: messages in bytes, each dropped or held back as the test says.
struct Wire {
    std::deque<std::vector<uint8_t>> toHost, toGuest;
    unsigned sent = 0;
    unsigned dropEvery = 0;  // 0: none lost
    bool swapPairs = false;  // every second message overtakes the one before it
};

void send(Wire& wire, std::deque<std::vector<uint8_t>>& way, const Message& m) {
    ++wire.sent;
    if (wire.dropEvery && wire.sent % wire.dropEvery == 0) return;
    way.push_back(encodeMessage(m));
    if (wire.swapPairs && wire.sent % 2 == 0 && way.size() >= 2)
        std::swap(way[way.size() - 1], way[way.size() - 2]);
}

void receive(Side& side, std::deque<std::vector<uint8_t>>& way) {
    while (!way.empty()) {
        Message m;
        std::string why;
        ASSERT_TRUE(decodeMessage(way.front().data(), way.front().size(), decodeLimits(side.session), m, why))
            << why;
        way.pop_front();
        acceptInputs(side.session, m);
    }
}

// One pass of a side: maybe a key, then as many ticks as its inputs allow, up to `until`.
void pass(Side& side, Wire& wire, std::deque<std::vector<uint8_t>>& out, uint32_t until) {
    LockstepSession& s = side.session;
    const uint32_t t = s.executed;
    if ((t * 7 + s.localPlayer * 3) % 11 == 0) {
        const int button = s.localPlayer * buttonsPerPlayer + t % buttonsPerPlayer;
        ASSERT_TRUE(stampLocalEvent(s, t % 2 ? pressEvent : releaseEvent, button));
        side.stamped.push_back(s.pending.back());
    }
    while (s.executed < until) {
        closeForNextTick(s);
        if (!tickReady(s)) break;
        side.ran.push_back(takeTick(s));
    }
    send(wire, out, inputsMessage(s));
}

void play(Side& host, Side& guest, Wire& wire) {
    beginLockstep(host.session, 0, 3, 1);
    beginLockstep(guest.session, 1, 3, 1);
    closeLocalTicks(host.session, 2);
    closeLocalTicks(guest.session, 2);
    for (int round = 0;
         round < 4 * int(gameTicks) && (host.ran.size() < gameTicks || guest.ran.size() < gameTicks);
         ++round) {
        // Each side may run one tick ahead of the other in a round, as two clocks drift.
        pass(host, wire, wire.toGuest, guest.session.executed + 1);
        receive(guest, wire.toGuest);
        pass(guest, wire, wire.toHost, host.session.executed + 1);
        receive(host, wire.toHost);
    }
}

void expectSameGame(const Side& host, const Side& guest) {
    ASSERT_GE(host.ran.size(), gameTicks);
    ASSERT_GE(guest.ran.size(), gameTicks);
    for (uint32_t t = 0; t < gameTicks; ++t) {
        ASSERT_EQ(host.ran[t].size(), guest.ran[t].size()) << "tick " << t;
        for (size_t i = 0; i < host.ran[t].size(); ++i) {
            const InputEvent &a = host.ran[t][i], &b = guest.ran[t][i];
            EXPECT_TRUE(a.tick == t && b.tick == t && a.player == b.player && a.sequence == b.sequence &&
                        a.type == b.type && a.button == b.button)
                << "tick " << t;
        }
    }
    // Every stamped event ran on both sides, at its tick.
    size_t events = 0;
    for (uint32_t t = 0; t < gameTicks; ++t) events += host.ran[t].size();
    size_t stampedInGame = 0;
    for (const Side* side : {&host, &guest})
        for (const InputEvent& e : side->stamped) stampedInGame += e.tick < gameTicks;
    EXPECT_EQ(events, stampedInGame);
    EXPECT_GT(events, 30u);
}

// Whatever the wire does to the messages (nothing, losing every third, swapping neighbours and
// losing some), both sides run the same inputs at the same ticks.
TEST(Lockstep, BothSidesRunTheSameInputsAtTheSameTicksOverAnyWire) {
    Wire clean, lossy, reordering;
    lossy.dropEvery = 3;
    reordering.swapPairs = true;
    reordering.dropEvery = 7;
    for (const Wire& given : {clean, lossy, reordering}) {
        Side host, guest;
        Wire wire = given;
        play(host, guest, wire);
        expectSameGame(host, guest);
    }
}

TEST(Lockstep, ATickWaitsForThePeersInputs) {
    LockstepSession host, guest;
    beginLockstep(host, 0, 2, 1);
    beginLockstep(guest, 1, 2, 1);
    closeLocalTicks(host, 1);
    EXPECT_FALSE(tickReady(host));
    closeLocalTicks(guest, 1);
    acceptInputs(host, inputsMessage(guest));
    ASSERT_TRUE(tickReady(host));
    takeTick(host);
    takeTick(host);
    closeForNextTick(host);  // tick 4 is closed, but the guest's tick 2 is not known
    EXPECT_EQ(host.localClosed, 5u);
    EXPECT_FALSE(tickReady(host));
}

TEST(Lockstep, LocalEventsAreStampedTheDelayAheadAndCounted) {
    LockstepSession s;
    beginLockstep(s, 1, 3, 1);
    closeLocalTicks(s, 2);
    for (size_t i = 0; i < maxEventsPerTick; ++i) ASSERT_TRUE(stampLocalEvent(s, pressEvent, 5));
    EXPECT_FALSE(stampLocalEvent(s, pressEvent, 5));
    EXPECT_EQ(s.pending.front().tick, 3u);
    EXPECT_EQ(s.pending.back().sequence, int8_t(maxEventsPerTick));
    InputEvent late = s.pending.front();
    late.tick = 2;  // already closed
    EXPECT_FALSE(queueLocalEvent(s, late));
}

TEST(Lockstep, AcknowledgedTicksAreNotSentAgain) {
    LockstepSession host, guest;
    beginLockstep(host, 0, 2, 1);
    beginLockstep(guest, 1, 2, 1);
    closeLocalTicks(host, 9);
    EXPECT_EQ(inputsMessage(host).ticks.size(), 10u);
    acceptInputs(guest, inputsMessage(host));
    acceptInputs(host, inputsMessage(guest));
    const Message next = inputsMessage(host);
    EXPECT_EQ(next.firstTick, 10u);
    EXPECT_TRUE(next.ticks.empty());
}

TEST(Lockstep, ALeaveEndsBothSidesAtTheTickTheLeaverNamed) {
    Side host, guest;
    Wire wire;
    beginLockstep(host.session, 0, 3, 1);
    beginLockstep(guest.session, 1, 3, 1);
    closeLocalTicks(host.session, 2);
    closeLocalTicks(guest.session, 2);
    for (int round = 0; round < 20; ++round) {
        pass(host, wire, wire.toGuest, guest.session.executed + 1);
        receive(guest, wire.toGuest);
        pass(guest, wire, wire.toHost, host.session.executed + 1);
        receive(host, wire.toHost);
    }
    // The guest leaves at the first tick it has not closed; the host, one tick behind, hears of it.
    const uint32_t leaveAt = guest.session.localClosed;
    stopAtTick(guest.session, leaveAt);
    stopAtTick(host.session, leaveAt);
    for (int round = 0; round < 20; ++round) {
        pass(host, wire, wire.toGuest, UINT32_MAX);
        receive(guest, wire.toGuest);
        pass(guest, wire, wire.toHost, UINT32_MAX);
        receive(host, wire.toHost);
    }
    EXPECT_EQ(host.session.executed, leaveAt);
    EXPECT_EQ(guest.session.executed, leaveAt);
    EXPECT_TRUE(stopReached(host.session) && stopReached(guest.session));
}

TEST(DelayChoice, TheSmallestDelayCoveringHalfTheRoundTripAndTheMargin) {
    EXPECT_EQ(delayForRoundTrip(0), 2u);
    EXPECT_EQ(delayForRoundTrip(12), 2u);  // 6 + 30 ms: exactly two ticks
    EXPECT_EQ(delayForRoundTrip(14), 3u);
    EXPECT_EQ(delayForRoundTrip(100), 5u);
    EXPECT_EQ(delayForRoundTrip(120), 5u);
    EXPECT_EQ(delayForRoundTrip(130), 6u);
}

TEST(SyncCheck, DigestsDifferingAtACheckAreFoundWhicheverArrivesFirst) {
    for (bool remoteFirst : {false, true}) {
        LockstepSession s;
        beginLockstep(s, 0, 2, 1);
        s.executed = syncInterval;
        Message peer;
        peer.type = MessageType::Sync;
        peer.game = 1;
        peer.tick = syncInterval;
        peer.digest = 42;
        if (remoteFirst) noteRemoteDigest(s, peer);
        ASSERT_TRUE(syncDue(s));
        noteLocalDigest(s, 42);
        if (!remoteFirst) noteRemoteDigest(s, peer);
        EXPECT_FALSE(s.outOfSync);
        s.executed = 2 * syncInterval;
        peer.tick = 2 * syncInterval;
        if (remoteFirst) noteRemoteDigest(s, peer);
        noteLocalDigest(s, 43);
        if (!remoteFirst) noteRemoteDigest(s, peer);
        EXPECT_TRUE(s.outOfSync);
        EXPECT_EQ(s.outOfSyncTick, 2 * syncInterval);
    }
}

}  // namespace

namespace {

// Inputs of the peer (player 2) for ticks first.. in a row, each with the events given.
Message peerInputs(const LockstepSession& s, uint32_t first,
                   const std::vector<std::vector<InputEvent>>& ticks) {
    Message m;
    m.type = MessageType::Inputs;
    m.game = s.game;
    m.player = 1;
    m.received = s.localClosed;
    m.firstTick = first;
    m.ticks = ticks;
    return m;
}

void runPredicted(LockstepSession& s, uint32_t ticks) {
    for (uint32_t i = 0; i < ticks; ++i) {
        closeForNextTick(s);
        ASSERT_TRUE(rollbackTickReady(s)) << s.executed;
        takeRollbackTick(s);
    }
}

// The peer's silence is played as "nothing new" for eight ticks at most; its first real event
// sends the game back to that tick, and only final ticks are handed out and ended on.
TEST(Rollback, APredictionProvedWrongGoesBackToItsTickAndALeaveBeyondItToTheLeave) {
    LockstepSession s;
    beginRollback(s, 0, rollbackDelay, 1);
    runPredicted(s, maxPrediction);
    closeForNextTick(s);
    EXPECT_FALSE(rollbackTickReady(s)) << "nine ticks beyond anything of the peer's";
    InputEvent press;
    press.tick = 5;
    press.player = 1;
    press.sequence = 1;
    press.type = pressEvent;
    press.button = 4;
    acceptInputs(s, peerInputs(s, 0, {{}, {}, {}, {}, {}, {press}}));
    uint32_t from = 0;
    ASSERT_TRUE(rollbackDue(s, from));
    EXPECT_EQ(from, 5u);
    std::vector<InputEvent> final;
    for (uint32_t tick = 0; tick < 5; ++tick) ASSERT_TRUE(takeFinalTick(s, final));
    EXPECT_FALSE(takeFinalTick(s, final)) << "tick 5 was run wrongly and is not final";
    rewindRollback(s, from);
    EXPECT_EQ(takeRollbackTick(s).back().button, 4);
    runPredicted(s, 2);
    // The peer leaves at tick 7, which this side has run past on predictions.
    acceptInputs(s, peerInputs(s, 6, {{}}));
    stopAtTick(s, 7);
    ASSERT_TRUE(rollbackDue(s, from));
    EXPECT_EQ(from, 7u);
    rewindRollback(s, from);
    closeForNextTick(s);
    EXPECT_FALSE(rollbackTickReady(s));
    EXPECT_FALSE(stopReached(s)) << "ticks 5 and 6 are not handed out yet";
    while (takeFinalTick(s, final)) {}
    EXPECT_TRUE(stopReached(s));
}

}  // namespace
