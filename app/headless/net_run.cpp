#include "app/headless/net_run.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>

#include "app/window/app_state.h"
#include "app/command_line.h"
#include "app/session/result_lines.h"
#include "app/netplay/peer.h"
#include "app/session/playback.h"
#include "app/session/replay_file.h"
#include "app/session/recorder.h"
#include "framework/game_entry.h"
#include "games/catalogue.h"

namespace {

constexpr int failedStatus = 1;
constexpr int usageStatus = 2;
constexpr int startSamples = 3;      // round-trip samples the host waits for before it starts
constexpr uint32_t playingWait = 1;  // ms the link is waited on in a pass of a game
constexpr uint32_t idleWait = 10;    // ... and before one
constexpr uint32_t giveWay = 2;      // ms a tick run ahead of the peer moves this side's clock back

// What one headless net run keeps. Owned by runNetHeadless().
struct HeadlessRun {
    Replay script;
    std::vector<InputEvent> mine;  // the script's events of this side's player
    size_t nextScripted = 0;
    std::unique_ptr<GameState> game;
    uint32_t clockStart = 0;  // when tick 0 was due
    bool peerGone = false;
    bool printStats = false;
    uint32_t waitedTicks = 0;
    uint32_t longestWait = 0;
    bool waiting = false;
    uint32_t waitingSince = 0;
};

bool loadScript(const std::string& path, HeadlessRun& run, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    return parseReplay(in, path, run.script, error);
}

void queueScriptThrough(HeadlessRun& run, uint32_t last) {
    while (run.nextScripted < run.mine.size() && run.mine[run.nextScripted].tick <= last)
        queueLocalEvent(net.session, run.mine[run.nextScripted++]);
}

// Both sides: the game of the start message, its first ticks closed with the script's events. The
// guest heard of the start half a round trip after the host began, and counts from then.
void beginGame(HeadlessRun& run, const Message& start) {
    const GameEntry* entry = findGameByTitle(start.title);
    selectGame(entry->id);
    app.gameSeed = start.seed;
    run.game = entry->create(start.seed);
    beginGameReport();
    noteGameStart(start.seed, entry->title);
    const int player = net.hosting ? 0 : 1;
    run.mine.clear();
    for (const InputEvent& e : run.script.events) {
        if (e.player == player) run.mine.push_back(e);
    }
    std::stable_sort(run.mine.begin(), run.mine.end(),
                     [](const InputEvent& a, const InputEvent& b) { return a.tick < b.tick; });
    run.nextScripted = 0;
    queueScriptThrough(run, start.delay - 1);
    closeLocalTicks(net.session, start.delay - 1);
    if (run.script.hasEnd) leaveNetGame(run.script.endTick);
    run.clockStart = linkMillis() - (net.hosting ? 0 : meanRoundTrip(net.roundTrip) / 2);
}

void noteRun(HeadlessRun& run, uint32_t now) {
    if (!run.waiting) return;
    run.waiting = false;
    ++run.waitedTicks;
    run.longestWait = std::max(run.longestWait, now - run.waitingSince);
}

// Runs every tick due by the clock that both sides' inputs allow.
void playDueTicks(HeadlessRun& run) {
    const uint32_t now = linkMillis();
    const uint32_t due = (now - run.clockStart) / tickLength + 1;
    GameState& game = *run.game;
    while (game.tickCount < due && !game.gameOver) {
        queueScriptThrough(run, net.session.executed + net.session.delay);
        if (!runNetTick(game)) {
            if (!run.waiting) run.waitingSince = now;
            run.waiting = true;
            return;
        }
        noteRun(run, now);
        if (msAheadOfPeer(net.session, now - run.clockStart, meanRoundTrip(net.roundTrip)) >
            int32_t(tickLength))
            run.clockStart += giveWay;
    }
}

void printStats(const HeadlessRun& run) {
    if (!run.printStats) return;
    const uint32_t ticks = std::max<uint32_t>(run.game ? run.game->tickCount : 0, 1);
    const double seconds = ticks * tickLength / 1000.0;
    std::fprintf(
        stderr,
        "tandrel: net: delay %u, round trip %u ms, %u of %u ticks waited (%.2f %%), longest wait %u ms, "
        "sent %.0f B/s, received %.0f B/s\n",
        net.session.delay, meanRoundTrip(net.roundTrip), run.waitedTicks, ticks,
        100.0 * run.waitedTicks / ticks, run.longestWait, linkBytesSent() / seconds,
        linkBytesReceived() / seconds);
}

int finish(HeadlessRun& run, int status) {
    if (run.game) noteGameEnd(*run.game);
    printStats(run);
    linkClose(netCloseWait);
    return status;
}

void printLeftLine(const HeadlessRun& run) {
    std::printf("%s\n", leftLine(*selectedEntry, app.gameSeed, *run.game).c_str());
    std::fflush(stdout);
}

// The peer must hold every input of the game before the connection goes: it may be behind.
void waitUntilPeerHoldsAll(HeadlessRun& run) {
    const uint32_t start = linkMillis();
    while (!run.peerGone && !peerHoldsThrough(net.session, run.game->tickCount) &&
           linkMillis() - start < noWordLimit) {
        pumpNet(playingWait);
        run.peerGone |= net.news.ended;
        net.news = NetNews{};
    }
}

// Before a game: greeting, and the host's start once the round trip is known. False when the
// run ends: a guest refused or alone.
bool awaitStart(HeadlessRun& run) {
    pumpNet(idleWait);
    const NetNews news = net.news;
    net.news = NetNews{};
    if (news.ended) return net.hosting;  // a host goes on serving
    if (net.hosting && net.greeted && (net.fixedDelay || net.roundTrip.count >= startSamples))
        beginGame(run, sendStart(findGameEntry(run.script.gameId)->title, run.script.seed));
    if (news.started) {
        beginNetGame(news.start);
        beginGame(run, news.start);
    }
    return true;
}

// One pass of a game; -1 while it goes on, else the run's exit status.
int playPass(HeadlessRun& run) {
    pumpNet(playingWait);
    const NetNews news = net.news;
    net.news = NetNews{};
    run.peerGone |= news.ended;
    if (news.dropped && net.hosting) {
        // The peer was refused for a bad message: the game is void, and the host serves on.
        endNetGame();
        run.game.reset();
        run.peerGone = false;
        return -1;
    }
    if (news.peerLeftGame) sayOfPeer("the other side left the game");
    playDueTicks(run);
    GameState& game = *run.game;
    if (net.session.outOfSync) {
        reportOutOfSync(app.gameSeed, selectedEntry->title);
        return finish(run, failedStatus);
    }
    if (game.gameOver) {
        reportGameOver();
        waitUntilPeerHoldsAll(run);
        return finish(run, 0);
    }
    if (stopReached(net.session)) {
        printLeftLine(run);
        return finish(run, 0);
    }
    if (run.peerGone && run.waiting) {
        printLeftLine(run);
        return finish(run, failedStatus);
    }
    return -1;
}

}  // namespace

int runNetHeadless(const Options& options) {
    HeadlessRun run;
    std::string error;
    if (!loadScript(options.scriptPath, run, error) ||
        (!options.recordPath.empty() && !startRecording(options.recordPath, error))) {
        std::fprintf(stderr, "tandrel: %s\n", error.c_str());
        return usageStatus;
    }
    run.printStats = options.stats;
    if (!startNet(options, error)) {
        std::fprintf(stderr, "tandrel: %s\n", error.c_str());
        return failedStatus;
    }
    for (;;) {
        if (!run.game) {
            if (!awaitStart(run)) return finish(run, failedStatus);
            continue;
        }
        const int status = playPass(run);
        if (status >= 0) return status;
    }
}
