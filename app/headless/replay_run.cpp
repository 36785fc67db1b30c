#include "app/headless/replay_run.h"

#include <algorithm>
#include <cstdio>

#include "app/window/app_state.h"
#include "app/session/result_lines.h"
#include "app/session/playback.h"
#include "framework/game_entry.h"

namespace {

uint64_t lastEventTick(const Replay& replay) {
    uint64_t last = 0;
    for (const InputEvent& event : replay.events) last = std::max<uint64_t>(last, event.tick);
    return last;
}

}  // namespace

int runHeadlessReplay() {
    const Replay& replay = loadedReplay();
    selectGame(replay.gameId);
    app.gameSeed = replay.seed;
    std::unique_ptr<GameState> game = selectedEntry->create(app.gameSeed);
    beginGameReport();
    noteGameStart(app.gameSeed, selectedEntry->title);
    // Without an end line nothing but game over would stop it; with one, it is played to it.
    const uint64_t stopTick = lastEventTick(replay) + headlessTickLimit;
    while (!game->gameOver) {
        if (replay.hasEnd ? game->tickCount >= replay.endTick : game->tickCount >= stopTick) break;
        runGameTick(*game);
    }
    if (game->gameOver) {
        reportGameOver();
        return 0;
    }
    std::printf("%s\n", leftLine(*selectedEntry, replay.seed, *game).c_str());
    std::fflush(stdout);
    if (replay.hasEnd) return 0;
    std::fprintf(stderr, "tandrel: %s: no game over within %u ticks of the last event\n",
                 loadedReplayPath().c_str(), headlessTickLimit);
    return 1;
}
