#include "app/session/result_lines.h"

#include <cinttypes>
#include <cstdio>

#include "framework/game_entry.h"

std::string gameOverLine(const GameEntry& entry, uint32_t seed, const GameState& game, uint64_t endDigest) {
    char tail[64];
    std::snprintf(tail, sizeof tail, " tick %" PRIu32 " digest %016" PRIx64, game.tickCount, endDigest);
    return "game over: " + resultText(entry, seed, game) + tail;
}

std::string leftLine(const GameEntry& entry, uint32_t seed, const GameState& game) {
    return "left: " + resultText(entry, seed, game) + " tick " + std::to_string(game.tickCount);
}
