#include "app/headless/net_run.h"

#include <algorithm>
#include <cstdio>

#include "app/command_line.h"
#include "app/netplay/net_game.h"
#include "app/netplay/peer.h"
#include "app/session/recorder.h"
#include "app/session/replay_file.h"
#include "app/session/session.h"
#include "games/catalogue.h"

namespace {

constexpr int failedStatus = 1;
constexpr int usageStatus = 2;
constexpr int startSamples = 3;      // round-trip samples the host waits for before it starts
constexpr uint32_t playingWait = 1;  // ms the link is waited on in a pass of a game
constexpr uint32_t idleWait = 10;    // ... and before one

// What one headless net run keeps. Owned by runNetHeadless().
struct HeadlessRun {
    Replay script;
    bool peerGone = false;
    bool printStats = false;
    uint32_t lastPass = 0;     // linkMillis() of the last pass of the game
    uint32_t accumulator = 0;  // ms not yet turned into ticks
};

void beginGame(HeadlessRun& run, const Message& start) {
    startNetSession(start);
    run.lastPass = linkMillis();
    run.accumulator = 0;
}

// The ticks the link's clock made due since the last pass.
unsigned elapsedTicks(HeadlessRun& run, uint32_t now) {
    run.accumulator += now - run.lastPass;
    run.lastPass = now;
    const unsigned n = run.accumulator / tickLength;
    run.accumulator -= n * tickLength;
    return n;
}

void printStats(const HeadlessRun& run) {
    if (!run.printStats) return;
    const uint32_t ticks = std::max<uint32_t>(inGame() ? session.game->tickCount : 0, 1);
    const double seconds = ticks * tickLength / 1000.0;
    std::fprintf(
        stderr,
        "tandrel: net: delay %u, round trip %u ms, %u of %u ticks waited (%.2f %%), longest wait %u ms, "
        "sent %.0f B/s, received %.0f B/s\n",
        net.lockstep.delay, meanRoundTrip(net.roundTrip), session.waitedTicks, ticks,
        100.0 * session.waitedTicks / ticks, session.longestWait, linkBytesSent() / seconds,
        linkBytesReceived() / seconds);
    if (!net.lockstep.rollback) return;
    std::fputs(rollbackStatsLine(session.rollback, seconds).c_str(), stderr);
}

int finish(const HeadlessRun& run, int status) {
    printStats(run);
    endSession();
    linkClose(netCloseWait);
    return status;
}

void printLine() {
    std::printf("%s\n", sessionLine().c_str());
    std::fflush(stdout);
}

// The peer must hold every input of the game before the connection goes: it may be behind.
void waitUntilPeerHoldsAll(HeadlessRun& run) {
    const uint32_t start = linkMillis();
    while (!run.peerGone && !peerHoldsThrough(net.lockstep, session.game->tickCount) &&
           linkMillis() - start < noWordLimit) {
        run.peerGone |= takeNetNews(playingWait).ended;
    }
}

// Before a game: greeting, and the host's start once the round trip is known. False when the
// run ends: a guest refused or alone.
bool awaitStart(HeadlessRun& run) {
    const NetNews news = takeNetNews(idleWait);
    if (news.ended) return net.hosting;  // a host goes on serving
    if (net.hosting && net.greeted && (net.fixedDelay || net.roundTrip.count >= startSamples))
        beginGame(run, sendStart(findGameEntry(run.script.gameId)->title, run.script.seed));
    if (news.started) beginGame(run, news.start);
    return true;
}

// One pass of a game; -1 while it goes on, else the run's exit status.
int playPass(HeadlessRun& run) {
    const NetNews news = takeNetNews(playingWait);
    run.peerGone |= news.ended;
    if (news.dropped && net.hosting) {
        // The peer was refused for a bad message: the game is void, and the host serves on.
        endSession();
        run.peerGone = false;
        return -1;
    }
    if (news.peerLeftGame) sayOfPeer("the other side left the game");
    const uint32_t now = linkMillis();
    runDueTicks(elapsedTicks(run, now), now);
    if (net.lockstep.outOfSync) {
        reportOutOfSync(session.seed, session.entry->title);
        return finish(run, failedStatus);
    }
    if (sessionOver()) {
        reportGameOver();
        waitUntilPeerHoldsAll(run);
        return finish(run, 0);
    }
    if (stopReached(net.lockstep)) {
        printLine();
        return finish(run, 0);
    }
    if (run.peerGone && session.waiting) {
        printLine();
        return finish(run, failedStatus);
    }
    return -1;
}

}  // namespace

int runNetHeadless(const Options& options) {
    HeadlessRun run;
    std::string error;
    if (!readReplayFile(options.scriptPath, run.script, error) ||
        (!options.recordPath.empty() && !startRecording(options.recordPath, error))) {
        std::fprintf(stderr, "tandrel: %s\n", error.c_str());
        return usageStatus;
    }
    run.printStats = options.stats;
    useScript(run.script);
    if (!startNet(options, error)) {
        std::fprintf(stderr, "tandrel: %s\n", error.c_str());
        return failedStatus;
    }
    for (;;) {
        if (!inGame()) {
            if (!awaitStart(run)) return finish(run, failedStatus);
            continue;
        }
        const int status = playPass(run);
        if (status >= 0) return status;
    }
}
