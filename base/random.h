#pragma once
#include <cstdint>
#include <random>

// One stream of random numbers: the standard 32-bit Mersenne Twister, where a draw is the
// 32-bit output shifted right by one (uniform over 0..2147483647, nothing rejected).
class RandomStream {
public:
    explicit RandomStream(uint32_t seed = 5489u) : generator(seed) {}
    void seed(uint32_t s) { generator.seed(s); }
    uint32_t draw() { return static_cast<uint32_t>(generator()) >> 1; }
    uint32_t below(uint32_t n) { return draw() % n; }

private:
    std::mt19937 generator;
};

// The application's source, main thread only. Seeded by appInit(), never reset.
extern RandomStream appRandomSource;
// The audio thread's own copy of that source (the noise voice draws from it), seeded with the
// same value by appInit(); two generators instead of a lock, so neither thread ever waits.
extern RandomStream audioRandomSource;

int appRandom();
int appRandomBelow(int n);
