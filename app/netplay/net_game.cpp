#include "app/netplay/net_game.h"

#include <algorithm>

#include "app/netplay/peer.h"
#include "app/session/playback.h"
#include "app/session/session.h"
#include "games/catalogue.h"
#include "net/rollback.h"

namespace {

// Owned by this file: the script of a headless net game, set once by useScript(); how far it was
// queued is wiped at every game.
struct NetScript {
    bool used = false;
    Replay replay;
    std::vector<InputEvent> mine;  // its events of this side's player, in tick order
    size_t next = 0;
};

NetScript script;

void queueScriptThrough(uint32_t last) {
    while (script.next < script.mine.size() && script.mine[script.next].tick <= last)
        queueLocalEvent(net.lockstep, script.mine[script.next++]);
}

// Before a tick runs, this side's tick `delay` ahead is closed, with the script's events for it.
void closeThisSidesNextTick() {
    queueScriptThrough(net.lockstep.executed + net.lockstep.delay);
    closeForNextTick(net.lockstep);
}

void takeScriptOfPlayer(int player) {
    script.mine.clear();
    script.next = 0;
    for (const InputEvent& e : script.replay.events) {
        if (e.player == player) script.mine.push_back(e);
    }
    std::stable_sort(script.mine.begin(), script.mine.end(),
                     [](const InputEvent& a, const InputEvent& b) { return a.tick < b.tick; });
}

class PeerFeed : public InputFeed {
public:
    void press(int button, int type) override {
        stampLocalEvent(net.lockstep, type,
                        net.lockstep.localPlayer * buttonsPerPlayer + button % buttonsPerPlayer);
    }
    bool queueTick(GameState& game) override {
        closeThisSidesNextTick();
        if (!tickReady(net.lockstep)) return false;
        for (const InputEvent& e : takeTick(net.lockstep)) {
            game.events.insert(e);
            noteInputEvent(e);
            net.played.push_back(e);
        }
        return true;
    }
    void tickRan(const GameState& game) override {
        if (syncDue(net.lockstep))
            sendMessage(Channel::Control, noteLocalDigest(net.lockstep, session.entry->digest(game)));
    }
    // What the ticks closed goes out at once, and what came meanwhile is taken.
    void ranDueTicks() override { pumpNet(0); }
    int32_t msAhead(uint32_t gameMs) const override {
        return msAheadOfPeer(net.lockstep, gameMs, meanRoundTrip(net.roundTrip));
    }
    // The other side could run no tick without this one's inputs: it pauses too.
    void paused(bool paused) override { sendPause(paused); }
    bool leave() override {
        leaveNetGame(net.lockstep.localClosed);
        return true;
    }
    void ended() override { endNetGame(); }
    bool pausesWhenAway() const override { return false; }
};

// Own inputs after rollback's short delay, the peer's predicted until they come; a tick run on a
// wrong prediction is run again by the session. Only final ticks are recorded and compared.
class RollbackFeed : public PeerFeed {
public:
    bool queueTick(GameState& game) override {
        closeThisSidesNextTick();
        if (!rollbackTickReady(net.lockstep)) return false;
        for (const InputEvent& e : takeRollbackTick(net.lockstep)) game.events.insert(e);
        return true;
    }
    void tickRan(const GameState& game) override {
        noteProvisionalDigest(net.lockstep, session.entry->digest(game));
    }
    void ranDueTicks() override {
        pumpNet(0);
        std::vector<InputEvent> events;
        while (takeFinalTick(net.lockstep, events)) {
            for (const InputEvent& e : events) {
                noteInputEvent(e);
                net.played.push_back(e);
            }
        }
        for (const Message& sync : finalDigests(net.lockstep)) sendMessage(Channel::Control, sync);
    }
    uint64_t position() const override { return net.lockstep.executed; }
    void rewind(uint64_t tick) override { rewindRollback(net.lockstep, static_cast<uint32_t>(tick)); }
    uint32_t rollbackDepth() const override { return maxPrediction; }
    bool rollbackDue(uint32_t& tick) override { return ::rollbackDue(net.lockstep, tick); }
    uint32_t finalTicks() const override { return net.lockstep.recorded; }
};

PeerFeed lockstepFeed;
RollbackFeed rollbackFeed;

}  // namespace

void useScript(const Replay& replay) {
    script.used = true;
    script.replay = replay;
}

// The guest heard of the start half a round trip after the host began, and counts that time as run.
void startNetSession(const Message& start) {
    beginNetGame(start);
    if (script.used) {
        takeScriptOfPlayer(net.lockstep.localPlayer);
        queueScriptThrough(start.delay - 1);
    }
    closeLocalTicks(net.lockstep, start.delay - 1);
    if (script.used && script.replay.hasEnd) leaveNetGame(script.replay.endTick);
    InputFeed& feed =
        start.netcode == Netcode::Rollback ? static_cast<InputFeed&>(rollbackFeed) : lockstepFeed;
    startSession(*findGameByTitle(start.title), start.seed, feed);
    if (!net.hosting) session.tickTarget = meanRoundTrip(net.roundTrip) / 2 / tickLength;
}
