#include "audio/synth.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "audio/sample_loader.h"
#include "audio/wave_math.h"
#include "base/random.h"

namespace {

constexpr float panSpread = 0.4f;
constexpr float panBase = 0.6f;

StereoFrame mono(int16_t w) { return {w, w}; }

int16_t wave(float phase) { return truncToLane(sineValue(phase)); }

// Time in frames through the drop types' release, slowing to a stop at mid-release and then
// running backwards: the pitch falls to 0 and climbs back to the tone.
double dropTime(const Voice& v, uint32_t p) {
    const uint32_t releaseStart = sustainEnd(v);
    const double x = static_cast<float>(p - releaseStart);
    return releaseStart + x * (1.0 - x / v.release);
}

StereoFrame sineWave(const Voice& v, uint32_t p, float g) {
    return scaled(mono(wave(sinePhase(v.frequency, p))), g);
}

StereoFrame noteTone(const Voice& v, uint32_t p, float g) {
    const StereoFrame* table = noteTableOf(v.noteIndex);
    return table ? scaled(table[noteFrame(v.noteMultiple, p)], g) : StereoFrame{};
}

StereoFrame drivenNoteTone(const Voice& v, uint32_t p, float g) {
    const StereoFrame* table = noteTableOf(v.noteIndex);
    if (!table) return {};
    const StereoFrame driven = scaled(table[noteFrame(v.noteMultiple, p)], v.frequency);
    const StereoFrame clipped{std::clamp<int16_t>(driven.left, -driveClip, driveClip),
                              std::clamp<int16_t>(driven.right, -driveClip, driveClip)};
    return scaled(clipped, g);
}

StereoFrame chirpSine(const Voice& v, uint32_t p, float g) {
    if (p >= attackEnd(v)) return sineWave(v, p, g);
    const double sweep = static_cast<double>(v.frequency) * twoPi * (p - v.delay) / v.attack;
    return scaled(mono(wave(static_cast<float>(sweep * p / outputRate))), g);
}

StereoFrame dropSine(const Voice& v, uint32_t p, float g) {
    if (p < sustainEnd(v)) return sineWave(v, p, g);
    const double phase = dropTime(v, p) * v.frequency * twoPi / outputRate;
    return scaled(mono(wave(static_cast<float>(phase))), g);
}

StereoFrame glideSine(const Voice& v, uint32_t p, float g) {
    const float from = glideStartFrequency(v);
    if (p < attackEnd(v)) return scaled(mono(wave(sinePhase(from, p))), g);
    if (p >= sustainEnd(v)) return sineWave(v, p, g);
    const float q = static_cast<float>(p - v.attack - v.delay) / static_cast<float>(v.sustain);
    return scaled(mono(wave(sinePhase(glideFrequency(from, v.frequency, q), p))), g);
}

StereoFrame wobbleSine(const Voice& v, uint32_t p, float g) {
    const double t = static_cast<float>(p);
    const double f = v.frequency;
    const float modulator = static_cast<float>(std::sin(wobbleModulatorPhase(f, t)));
    return scaled(mono(wave(wobblePhase(modulator, f, t))), g);
}

// Draws from the audio thread's own generator, so the game thread's draws never race with it.
StereoFrame noise(const Voice&, uint32_t, float g) {
    return scaled(mono(truncToLane(noiseValue(audioRandomSource.below(noiseLevels)))), g);
}

StereoFrame square(const Voice& v, uint32_t p, float g) { return shapedWave(p, v.frequency, g, 1.0f); }

StereoFrame dropSquare(const Voice& v, uint32_t p, float g) {
    const uint32_t q = p < sustainEnd(v) ? low32(v.frequency) * p : low32(dropTime(v, p) * v.frequency);
    return scaled(mono(squareLevel(q)), g);
}

StereoFrame chirpSquare(const Voice& v, uint32_t p, float g) {
    const uint32_t q = p < attackEnd(v)
                           ? low32(static_cast<double>(v.frequency) * (p - v.delay) / v.attack * p)
                           : low32(v.frequency) * p;
    return scaled(mono(squareLevel(q)), g);
}

StereoFrame triangle(const Voice& v, uint32_t p, float g) { return shapedWave(p, v.frequency, g, 0.0f); }

// Indexed by VoiceType; the unnamed types are silent.
constexpr WaveFunction waveOfType[] = {
    nullptr,    sineWave, noteTone, drivenNoteTone, chirpSine,   dropSine, glideSine,
    wobbleSine, noise,    square,   dropSquare,     chirpSquare, triangle,
};

StereoFrame sampleFrame(int sample, uint32_t index, float g) {
    if (index >= sampleLength[sample] || !sampleData[sample]) return {};
    return scaled(sampleData[sample][index], g);
}

WaveFunction waveOf(int32_t type) {
    const int32_t count = static_cast<int32_t>(std::size(waveOfType));
    return type >= 0 && type < count ? waveOfType[type] : nullptr;
}

}  // namespace

// Strict comparisons: a phase of length 0 is skipped altogether.
float envelopeAt(float p, const VoicePlan& plan) {
    if (plan.delay > p) return 0;
    float x = p - plan.delay;
    if (plan.attack > x) return x / plan.attack;
    x -= plan.attack;
    if (plan.sustain > x) return 1;
    x -= plan.sustain;
    if (plan.release > x) return 1 - x / plan.release;
    return 0;
}

namespace {

StereoFrame voiceFrame(const Voice& v, const VoicePlan& plan) {
    const float g = envelopeAt(static_cast<float>(v.position), plan) * v.amplitude;
    if (plan.sample >= 0) return sampleFrame(plan.sample, v.position - v.delay, g);
    if (g <= 0) return {};
    return plan.render ? plan.render(v, v.position, g) : StereoFrame{};
}

StereoFrame applyPanGains(StereoFrame f, PanGains gains) {
    return {scaleLaneByModerateGain(f.left, gains.left), scaleLaneByModerateGain(f.right, gains.right)};
}

}  // namespace

const StereoFrame* noteTableOf(int8_t note) {
    if (note < 0 || note >= static_cast<int>(noteTables.size())) return nullptr;
    return noteTables[note].get();
}

float glideStartFrequency(const Voice& v) {
    const float note = v.noteIndex >= 0 && v.noteIndex < noteCount ? noteFrequency[v.noteIndex] : 0;
    return note * v.noteMultiple;
}

int sampleIndexOf(int32_t type) {
    return type >= firstSampleType && type - firstSampleType < sampleCount ? type - firstSampleType : -1;
}

VoicePlan planVoice(const Voice& v) {
    VoicePlan plan;
    plan.delay = static_cast<float>(v.delay);
    plan.attack = static_cast<float>(v.attack);
    plan.sustain = static_cast<float>(v.sustain);
    plan.release = static_cast<float>(v.release);
    plan.pan = panGains(v.pan);
    plan.sample = sampleIndexOf(v.type);
    plan.render = waveOf(v.type);
    plan.drawsNoise = v.type == static_cast<int32_t>(VoiceType::Noise);
    return plan;
}

StereoFrame renderVoice(Voice& v) { return renderVoice(v, planVoice(v)); }

StereoFrame renderVoice(Voice& v, const VoicePlan& plan) {
    // Neither the envelope nor the pan is looked at during the delay.
    const StereoFrame f = v.position < v.delay ? StereoFrame{} : applyPanGains(voiceFrame(v, plan), plan.pan);
    ++v.position;
    return f;
}

float envelopeLevel(const Voice& v) { return envelopeAt(static_cast<float>(v.position), planVoice(v)); }

StereoFrame shapedWave(unsigned t, float frequency, float gain, float shape) {
    // Only the whole hertz count: the phase is an integer remainder, cheap and drift-free.
    return mono(truncToLane(shapedWaveValue(low32(frequency) * t % outputRate, gain, shape)));
}

PanGains panGains(float pan) {
    const float x = std::clamp(pan, -1.0f, 1.0f);
    // A NaN pan gives NaN gains, which turn every lane into 0 exactly as a gain of 0 does.
    if (x != x) return {0, 0};
    const float left = panSpread * (1 + x) + panBase;
    const float right = panSpread * (1 - x) + panBase;
    return {left, right};
}

StereoFrame applyPan(StereoFrame f, float pan) { return applyPanGains(f, panGains(pan)); }
