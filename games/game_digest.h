#pragma once
#include <cstdint>

class GameState;

// A fingerprint of everything that shapes the rest of a game. It leaves out the count of
// game-random draws, which the death shake raises once per drawn frame.
uint64_t gameDigest(const GameState& game);
