#include "app/headless/replay_run.h"

#include <algorithm>
#include <cstdio>

#include "app/session/playback.h"
#include "app/session/session.h"
#include "games/catalogue.h"

namespace {

uint64_t lastEventTick(const Replay& replay) {
    uint64_t last = 0;
    for (const InputEvent& event : replay.events) last = std::max<uint64_t>(last, event.tick);
    return last;
}

}  // namespace

int runHeadlessReplay() {
    const Replay& replay = loadedReplay();
    startSession(*findGameEntry(replay.gameId), replay.seed, recordingFeed);
    // Without an end line nothing but game over would stop it; with one, it is played to it.
    const uint64_t stopTick = replay.hasEnd ? replay.endTick : lastEventTick(replay) + headlessTickLimit;
    runDueTicks(static_cast<unsigned>(std::min<uint64_t>(stopTick, UINT32_MAX)), 0);
    const bool over = session.game->gameOver;
    std::printf("%s\n", sessionLine().c_str());
    std::fflush(stdout);
    if (over || replay.hasEnd) return 0;
    std::fprintf(stderr, "tandrel: %s: no game over within %u ticks of the last event\n",
                 loadedReplayPath().c_str(), headlessTickLimit);
    return 1;
}
