#pragma once
#include <cstdint>
#include <string>

class GameState;
struct GameEntry;

// What the frame will report of the running game. Owned by the frame; wiped by
// beginGameReport() at every new game.
struct GameReport {
    bool endDigestTaken = false;
    uint64_t endDigest = 0;    // at the tick the game's end began
    std::string gameOverLine;  // once gameOver is set
};

extern GameReport gameReport;

void beginGameReport();
// One tick of the running game, live or replayed: the replay's due events, the game's tick, and
// what the report needs of it.
void runGameTick(GameState& game);
// Prints the game-over line of the game that just ended by game over.
void reportGameOver();

// The line printed at game over: what the entry says of the game's result, the tick count when
// gameOver was set, and the digest of the game as it was when its end began.
std::string gameOverLine(const GameEntry& entry, uint32_t seed, const GameState& game, uint64_t endDigest);
// The line printed when a replayed game stops before game over.
std::string leftLine(const GameEntry& entry, uint32_t seed, const GameState& game);
