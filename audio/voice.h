#pragma once
#include <cmath>
#include <cstdint>

// Frames per second: the only rate the mixer makes, and the rate every phase is measured in.
constexpr int outputRate = 44100;

// One output frame, left then right, laid out exactly as the device's interleaved samples.
// Sums wrap modulo 65536 and are never saturated: the echo relies on the wrap, not on clipping.
struct StereoFrame {
    int16_t left = 0;
    int16_t right = 0;
};
static_assert(sizeof(StereoFrame) == 4, "a frame is the device's 4 interleaved bytes");

// The low 16 bits of an integer, as a signed lane.
inline int16_t wrap16(int64_t value) { return static_cast<int16_t>(static_cast<uint16_t>(value)); }

// The slow path of truncKeepingLowBits, out of line and cold: ordinary play never takes it, and
// keeping the fmod call out of every caller keeps their common path short.
[[gnu::cold, gnu::noinline]] inline int64_t truncReducing(double value, double period) {
    const double reduced = std::fmod(value, period);
    return reduced == reduced ? static_cast<int64_t>(reduced) : 0;
}

// A value truncated toward zero whose low bits, up to `period` (a power of two), are those of the
// whole number. NaN gives 0; magnitudes beyond 64 bits are reduced first, which keeps the same
// low bits because they are whole numbers.
inline int64_t truncKeepingLowBits(double value, double period) {
    constexpr double int64Range = 9223372036854775808.0;
    if (std::fabs(value) < int64Range) return static_cast<int64_t>(value);
    return truncReducing(value, period);
}

// A value truncated toward zero, keeping its low 16 bits.
inline int16_t truncToLane(double value) { return wrap16(truncKeepingLowBits(value, 65536.0)); }

// A lane times a gain: formed in double, truncated toward zero, wrapped like a sum.
inline int16_t scaleLane(int16_t lane, double gain) { return truncToLane(lane * gain); }

// scaleLane for a finite gain below this magnitude (2^47), whose product with any lane fits 64 bits:
// the range check can never fail, so it is left out.
constexpr double moderateGainLimit = 140737488355328.0;
inline int16_t scaleLaneByModerateGain(int16_t lane, double gain) {
    return wrap16(static_cast<int64_t>(lane * gain));
}

// scaleLane for a gain below this magnitude (2^16), whose product with any lane fits 32 bits: the
// form the vectorized loops can use.
constexpr double smallGainLimit = 65536.0;
inline int16_t scaleLaneBySmallGain(int16_t lane, double gain) {
    return wrap16(static_cast<int32_t>(lane * gain));
}

inline StereoFrame scaled(StereoFrame f, double gain) {
    return {scaleLane(f.left, gain), scaleLane(f.right, gain)};
}

inline StereoFrame operator+(StereoFrame a, StereoFrame b) {
    return {wrap16(a.left + b.left), wrap16(a.right + b.right)};
}

inline StereoFrame& operator+=(StereoFrame& a, StereoFrame b) { return a = a + b; }

inline bool operator==(StereoFrame a, StereoFrame b) { return a.left == b.left && a.right == b.right; }

inline bool operator!=(StereoFrame a, StereoFrame b) { return !(a == b); }

// One playing sound. The fields keep this order: it is the record the game fills.
struct Voice {
    uint32_t position = 0;  // frames rendered since the start, delay included
    uint32_t delay = 0;     // silent frames before the envelope
    uint32_t attack = 0;
    uint32_t sustain = 0;
    uint32_t release = 0;
    float frequency = 0;  // Hz; the drive gain of a driven note; unused by samples
    float amplitude = 0;
    float echoSend = 0;
    float pan = 0;          // clamped to [-1, 1] when applied; positive is left
    int32_t type = 0;       // a VoiceType
    bool quantize = false;  // start on the next beat of the rhythm grid
    int8_t noteIndex = 0;
    int8_t noteMultiple = 0;
};

// Summed in 32 bits on purpose: a voice's length wraps like its position does.
inline uint32_t totalLength(const Voice& v) { return v.delay + v.attack + v.sustain + v.release; }

inline bool voiceFinished(const Voice& v) { return v.position >= totalLength(v); }

// Where the attack and the sustain end, wrapping in 32 bits like the length.
inline uint32_t attackEnd(const Voice& v) { return v.delay + v.attack; }
inline uint32_t sustainEnd(const Voice& v) { return v.delay + v.attack + v.sustain; }
