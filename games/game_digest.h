#pragma once
#include <cstdint>

class GameState;

// A fingerprint of everything that shapes the rest of a game. It leaves out what depends on
// drawing: the count of game-random draws, which the death shake raises per drawn frame, and
// the colours of burst sparks, drawn from the application's source that each pass also uses.
uint64_t gameDigest(const GameState& game);
