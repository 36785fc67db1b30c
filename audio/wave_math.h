#pragma once
#include <cmath>
#include <cstdint>

#include "audio/voice.h"

// The formulas of the synthesized waves, shared by the frame-at-a-time renderer (synth.cpp) and the
// run renderer (voice_runs.cpp) so that both compute each value the same way. Each gives the value
// before its truncation to a lane; the callers truncate, each as it can afford.

constexpr float pi = 3.1415927410125732f;
constexpr float twoPi = 6.2831854820251465f;  // 2 pi in single precision
constexpr double fullScale = 16383.0;         // a wave's peak, half the 16-bit range to leave room to mix
constexpr float wobbleRate = 0.015625f;       // the wobble's modulator runs at 1/64 of the tone
constexpr float wobbleDepth = 0.3926991f;     // pi / 8
constexpr uint32_t noteTableFrames = 200000;
constexpr uint32_t squareHalfPeriod = outputRate / 2;
constexpr int16_t driveClip = 8191;  // a driven note is clipped here before its gain

// A bare parabola: fast, and exact only at 0, +-pi/2 and +-pi.
inline float fastSin(float x) {
    constexpr float linear = 1.27323954f;      // 4 / pi
    constexpr float quadratic = 0.405284735f;  // 4 / pi^2
    const float u = x + pi;
    const float k = std::floor(u / twoPi);
    const float a = (u - pi) - k * twoPi;
    return linear * a - quadratic * a * std::fabs(a);
}

// A phase is formed in double and kept in single precision; p is a position.
inline float sinePhase(double frequency, double p) {
    return static_cast<float>(frequency * twoPi * p / outputRate);
}

// A glide's frequency a fraction q of the way from `from` to `to`.
inline double glideFrequency(float from, float to, float q) {
    return static_cast<double>(from) * (1.0 - q) + static_cast<double>(q) * to;
}

inline double sineValue(float phase) { return fullScale * fastSin(phase); }

// The wobble's modulator phase and the tone's phase at time t (a position held in a float).
inline double wobbleModulatorPhase(double frequency, double t) {
    return frequency * wobbleRate * twoPi * t / outputRate;
}
inline float wobblePhase(float modulator, double frequency, double t) {
    return static_cast<float>(modulator * static_cast<double>(wobbleDepth) +
                              frequency * twoPi * t / outputRate);
}

// Where in its note table a note voice reads at position p.
inline uint32_t noteFrame(int8_t noteMultiple, uint32_t p) {
    return static_cast<uint32_t>(static_cast<int32_t>(noteMultiple)) * p % noteTableFrames;
}

// Noise: one of noiseLevels evenly spaced levels across the full scale, drawn at every frame.
constexpr uint32_t noiseLevels = 1024;
inline double noiseValue(uint32_t level) {
    constexpr double centre = 512.0;
    constexpr double step = 1.0 / 512.0;
    return (level - centre) * step * fullScale;
}

// Truncated toward zero, low 32 bits kept: the square types count periods in wrapping integers.
inline uint32_t low32(double value) {
    return static_cast<uint32_t>(truncKeepingLowBits(value, 4294967296.0));
}

// Low for the first half of each period.
inline int16_t squareLevel(uint32_t q) {
    return q % outputRate < squareHalfPeriod ? static_cast<int16_t>(-fullScale)
                                             : static_cast<int16_t>(fullScale);
}

// A trapezoid at phase count k (below outputRate): a triangle at shape 0, a square at shape 1.
inline double shapedWaveValue(uint32_t k, float gain, float shape) {
    const float ph = static_cast<float>(k) / outputRate;
    const float h = shape * 0.5f;
    const double peak = gain * fullScale;
    if (ph < h) return gain * -fullScale;
    if (ph < 0.5f) return peak * ((ph - h) / (0.5f - h) * 2 - 1);
    if (ph < h + 0.5f) return peak;
    return peak * (2 * (1 - ((ph - 0.5f) - h) / (0.5f - h)) - 1);
}
