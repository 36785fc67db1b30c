#pragma once
// The lines a game's end prints: game over, or left before it.
#include <cstdint>
#include <string>

class GameState;
struct GameEntry;

// The line printed at game over: what the entry says of the game's result, the tick count when
// gameOver was set, and the digest of the game as it was when its end began.
std::string gameOverLine(const GameEntry& entry, uint32_t seed, const GameState& game, uint64_t endDigest);
// The line printed when a game stops before game over.
std::string leftLine(const GameEntry& entry, uint32_t seed, const GameState& game);
