#include "app/session/result_lines.h"

#include <cinttypes>
#include <cstdio>

#include "app/window/app_state.h"
#include "app/session/playback.h"
#include "framework/game_entry.h"

GameReport gameReport;

void beginGameReport() { gameReport = GameReport{}; }

// Both a live and a headless run report the tick that set gameOver, however many ticks a late
// pass runs after it, and the state at the tick the end began: from then on a game may draw
// from its stream once per drawn frame (the cat game's death shake), and a mouse that dies a
// tick late makes its last move with what is left of it.
void runGameTick(GameState& game) {
    feedReplayEvents(game);
    game.tick();
    if (game.endCountdown > 0 && !gameReport.endDigestTaken) {
        gameReport.endDigest = selectedEntry->digest(game);
        gameReport.endDigestTaken = true;
    }
    if (game.gameOver && gameReport.gameOverLine.empty())
        gameReport.gameOverLine = gameOverLine(*selectedEntry, app.gameSeed, game, gameReport.endDigest);
}

void reportGameOver() {
    if (gameReport.gameOverLine.empty()) return;
    std::printf("%s\n", gameReport.gameOverLine.c_str());
    std::fflush(stdout);
}

std::string gameOverLine(const GameEntry& entry, uint32_t seed, const GameState& game, uint64_t endDigest) {
    char tail[64];
    std::snprintf(tail, sizeof tail, " tick %" PRIu32 " digest %016" PRIx64, game.tickCount, endDigest);
    return "game over: " + resultText(entry, seed, game) + tail;
}

std::string leftLine(const GameEntry& entry, uint32_t seed, const GameState& game) {
    return "left: " + resultText(entry, seed, game) + " tick " + std::to_string(game.tickCount);
}
