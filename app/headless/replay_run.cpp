#include "app/headless/replay_run.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/session/playback.h"
#include "app/session/session.h"
#include "games/catalogue.h"

namespace {

// Without an end line nothing but game over would stop it; with one, it is played to it.
uint32_t stopTickOf(const Replay& replay) {
    uint64_t last = 0;
    for (const InputEvent& event : replay.events) last = std::max<uint64_t>(last, event.tick);
    const uint64_t stop = replay.hasEnd ? replay.endTick : last + headlessTickLimit;
    return static_cast<uint32_t>(std::min<uint64_t>(stop, UINT32_MAX));
}

void startReplay(const Replay& replay) {
    startSession(*findGameEntry(replay.gameId), replay.seed, recordingFeed);
}

int finishReplay(const Replay& replay) {
    const bool over = session.game->gameOver;
    std::printf("%s\n", sessionLine().c_str());
    std::fflush(stdout);
    if (over || replay.hasEnd) return 0;
    std::fprintf(stderr, "tandrel: %s: no game over within %u ticks of the last event\n",
                 loadedReplayPath().c_str(), headlessTickLimit);
    return 1;
}

}  // namespace

int runHeadlessReplay() {
    const Replay& replay = loadedReplay();
    startReplay(replay);
    runDueTicks(stopTickOf(replay), 0);
    return finishReplay(replay);
}

int runSyncTest(unsigned rollback) {
    const Replay& replay = loadedReplay();
    startReplay(replay);
    const uint32_t stop = stopTickOf(replay);
    const GameState& game = *session.game;
    // Rings by tick: the snapshot before each of the last ticks, and the digest after each.
    const size_t kept = rollback + 1;
    std::vector<SessionSnapshot> snapshots(kept);
    std::vector<uint64_t> digests(kept);
    while (!game.gameOver && game.tickCount < stop) {
        const uint32_t now = game.tickCount + 1;
        saveSession(snapshots[game.tickCount % kept]);
        runTick(0);
        digests[now % kept] = session.entry->digest(game);
        if (now < rollback) continue;
        loadSession(snapshots[(now - rollback) % kept]);
        while (game.tickCount < now) {
            runTick(0);
            if (session.entry->digest(game) == digests[game.tickCount % kept]) continue;
            std::fprintf(stderr, "tandrel: sync test: tick %u differs after a rollback of %u ticks\n",
                         game.tickCount, rollback);
            return 1;
        }
    }
    return finishReplay(replay);
}
