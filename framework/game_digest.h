#pragma once
#include <cstdint>
#include <cstring>

class GameState;

// FNV-1a over the bytes of each value added.
class Digest {
public:
    template <typename T>
    void add(const T& value) {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        for (unsigned char b : bytes) hash = (hash ^ b) * prime;
    }
    uint64_t value() const { return hash; }

private:
    static constexpr uint64_t prime = 1099511628211ull;
    uint64_t hash = 14695981039346656037ull;
};

// The members every game has, for a game's digest to begin with; the game adds its own after.
// It leaves out what depends on drawing: the count of game-random draws, which a game may raise
// per drawn frame, and what is drawn from the application's source that each pass also uses:
// the colours of burst sparks and the flight of numbers.
void addGameState(Digest& digest, const GameState& game);
