#include "audio/voice_runs.h"

#include <algorithm>
#include <cmath>

#include "audio/float_sine.h"
#include "audio/sample_loader.h"
#include "audio/vector_loops.h"
#include "audio/wave_math.h"
#include "base/random.h"

// The loops here are written to run on several frames at once: each frame's work is one plain
// expression, truncations are to 32 bits, and whatever might not fit 32 bits sends the whole run
// back to the frame-by-frame renderer instead.

namespace {

constexpr double int32Range = 2147483648.0;
// Runs keep to positions below this, so that a position converts as a signed 32-bit number.
constexpr uint32_t positionLimit = 0x80000000u;

// A value truncated toward zero to its low 16 bits when below 2^31 in magnitude, 0 for NaN as
// truncToLane gives; any other value counts in `unfit` and its lane is not to be used.
inline int16_t truncFitting(double x, int& unfit) {
    const bool fits = std::fabs(x) < int32Range;
    unfit |= !fits & (x == x);
    return wrap16(static_cast<int32_t>(fits ? x : 0.0));
}

bool gainFits(double gain) { return std::fabs(gain) < smallGainLimit; }

// A sine whose frequency holds still.
VECTOR_LOOPS void sineRun(double frequency, int32_t first, int count, float g, int16_t* mono, int& unfit) {
    int bad = 0;
    for (int i = 0; i < count; ++i) {
        const int16_t w = truncFitting(sineValue(sinePhase(frequency, first + i)), bad);
        mono[i] = scaleLaneBySmallGain(w, g);
    }
    unfit |= bad;
}

// A glide through its sustain; `into` is how far into the sustain the run starts.
VECTOR_LOOPS void glideRun(float from, float to, float sustain, int32_t first, int32_t into, int count,
                           float g, int16_t* mono, int& unfit) {
    int bad = 0;
    for (int i = 0; i < count; ++i) {
        const float q = static_cast<float>(into + i) / sustain;
        const int16_t w = truncFitting(sineValue(sinePhase(glideFrequency(from, to, q), first + i)), bad);
        mono[i] = scaleLaneBySmallGain(w, g);
    }
    unfit |= bad;
}

VECTOR_LOOPS void wobbleRun(double frequency, int32_t first, int count, float g, int16_t* mono, int& unfit) {
    double modulatorPhase[runFrameLimit] = {};
    float modulator[runFrameLimit];
    for (int i = 0; i < count; ++i) {
        modulatorPhase[i] = wobbleModulatorPhase(frequency, static_cast<float>(first + i));
    }
    floatSines(modulatorPhase, modulator, count);
    int bad = 0;
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<float>(first + i);
        const int16_t w = truncFitting(sineValue(wobblePhase(modulator[i], frequency, t)), bad);
        mono[i] = scaleLaneBySmallGain(w, g);
    }
    unfit |= bad;
}

VECTOR_LOOPS void shapedRun(uint32_t step, uint32_t first, int count, float g, float shape, int16_t* mono,
                            int& unfit) {
    int bad = 0;
    for (int i = 0; i < count; ++i) {
        const uint32_t k = step * (first + static_cast<uint32_t>(i)) % outputRate;
        mono[i] = truncFitting(shapedWaveValue(k, g, shape), bad);
    }
    unfit |= bad;
}

// Draws from the audio thread's source, in frame order: only for a voice that draws alone.
void noiseRun(int count, float g, int16_t* mono) {
    for (int i = 0; i < count; ++i) {
        mono[i] = scaleLaneBySmallGain(
            wrap16(static_cast<int32_t>(noiseValue(audioRandomSource.below(noiseLevels)))), g);
    }
}

void squareRun(uint32_t step, uint32_t first, int count, float g, int16_t* mono) {
    for (int i = 0; i < count; ++i)
        mono[i] = scaleLaneBySmallGain(squareLevel(step * (first + static_cast<uint32_t>(i))), g);
}

// A note table read at the voice's multiple of each position, optionally driven and clipped first.
void noteRun(const Voice& v, const StereoFrame* table, int count, float g, int16_t* lanes) {
    const bool driven = v.type == static_cast<int32_t>(VoiceType::DrivenNoteTone);
    for (int i = 0; i < count; ++i) {
        const StereoFrame f = table[noteFrame(v.noteMultiple, v.position + static_cast<uint32_t>(i))];
        int16_t left = f.left, right = f.right;
        if (driven) {
            left = std::clamp<int16_t>(scaleLaneBySmallGain(left, v.frequency), -driveClip, driveClip);
            right = std::clamp<int16_t>(scaleLaneBySmallGain(right, v.frequency), -driveClip, driveClip);
        }
        lanes[2 * i] = scaleLaneBySmallGain(left, g);
        lanes[2 * i + 1] = scaleLaneBySmallGain(right, g);
    }
}

// The sample from the frame `index` on; silent beyond its end.
void sampleRun(int sample, uint32_t index, int count, float g, int16_t* lanes) {
    const StereoFrame* data = sampleData[sample].get();
    const uint32_t length = data ? sampleLength[sample] : 0;
    const int heard = index >= length ? 0 : static_cast<int>(std::min<uint32_t>(length - index, count));
    for (int i = 0; i < heard; ++i) {
        lanes[2 * i] = scaleLaneBySmallGain(data[index + i].left, g);
        lanes[2 * i + 1] = scaleLaneBySmallGain(data[index + i].right, g);
    }
    std::fill(lanes + 2 * heard, lanes + 2 * count, 0);
}

VECTOR_LOOPS void panMono(const int16_t* mono, int count, PanGains pan, int16_t* lanes) {
    for (int i = 0; i < count; ++i) {
        lanes[2 * i] = scaleLaneBySmallGain(mono[i], pan.left);
        lanes[2 * i + 1] = scaleLaneBySmallGain(mono[i], pan.right);
    }
}

VECTOR_LOOPS void panStereo(int count, PanGains pan, int16_t* lanes) {
    for (int i = 0; i < count; ++i) {
        lanes[2 * i] = scaleLaneBySmallGain(lanes[2 * i], pan.left);
        lanes[2 * i + 1] = scaleLaneBySmallGain(lanes[2 * i + 1], pan.right);
    }
}

// Which side of a boundary the whole run lies on, if it lies on one side.
enum class Side { Before, After, Across };

Side sideOf(uint32_t first, uint32_t last, uint32_t boundary) {
    if (last < boundary) return Side::Before;
    if (first >= boundary) return Side::After;
    return Side::Across;
}

// The mono waves of the synthesized types, for a run that is steady and audible; false where the
// run crosses one of the wave's own boundaries or a value does not fit.
bool renderMonoRun(const Voice& v, int count, float g, int16_t* mono) {
    const uint32_t first = v.position;
    const uint32_t last = first + static_cast<uint32_t>(count - 1);
    const int32_t start = static_cast<int32_t>(first);
    int unfit = 0;
    switch (static_cast<VoiceType>(v.type)) {
    case VoiceType::Sine: sineRun(v.frequency, start, count, g, mono, unfit); break;
    case VoiceType::ChirpSine:
        if (sideOf(first, last, attackEnd(v)) != Side::After) return false;
        sineRun(v.frequency, start, count, g, mono, unfit);
        break;
    case VoiceType::DropSine:
        if (sideOf(first, last, sustainEnd(v)) != Side::Before) return false;
        sineRun(v.frequency, start, count, g, mono, unfit);
        break;
    case VoiceType::GlideSine: {
        const Side attack = sideOf(first, last, attackEnd(v));
        const Side sustain = sideOf(first, last, sustainEnd(v));
        const uint32_t into = first - v.attack - v.delay;
        if (attack == Side::Before) {
            sineRun(glideStartFrequency(v), start, count, g, mono, unfit);
        } else if (attack == Side::After && sustain == Side::After) {
            sineRun(v.frequency, start, count, g, mono, unfit);
        } else if (attack == Side::After && sustain == Side::Before && into < positionLimit - count) {
            glideRun(glideStartFrequency(v), v.frequency, static_cast<float>(v.sustain), start,
                     static_cast<int32_t>(into), count, g, mono, unfit);
        } else {
            return false;
        }
        break;
    }
    case VoiceType::WobbleSine: wobbleRun(v.frequency, start, count, g, mono, unfit); break;
    case VoiceType::Noise: noiseRun(count, g, mono); break;
    case VoiceType::Square: shapedRun(low32(v.frequency), first, count, g, 1.0f, mono, unfit); break;
    case VoiceType::Triangle: shapedRun(low32(v.frequency), first, count, g, 0.0f, mono, unfit); break;
    case VoiceType::DropSquare:
        if (sideOf(first, last, sustainEnd(v)) != Side::Before) return false;
        squareRun(low32(v.frequency), first, count, g, mono);
        break;
    case VoiceType::ChirpSquare:
        if (sideOf(first, last, attackEnd(v)) != Side::After) return false;
        squareRun(low32(v.frequency), first, count, g, mono);
        break;
    default: return false;
    }
    return unfit == 0;
}

// The envelope holds at 1 from the first frame to the last, and so everywhere between: its
// phases follow one another as the position grows, its attack only rises and its release only
// falls.
bool envelopeHolds(const Voice& v, const VoicePlan& plan, uint32_t first, uint32_t last) {
    return first >= v.delay && envelopeAt(static_cast<float>(first), plan) == 1 &&
           envelopeAt(static_cast<float>(last), plan) == 1;
}

}  // namespace

bool renderSteadyRun(const Voice& v, const VoicePlan& plan, int count, bool drawsAlone, int16_t* lanes) {
    const uint32_t first = v.position;
    const uint32_t last = first + static_cast<uint32_t>(count - 1);
    if (last < first || last >= positionLimit || !envelopeHolds(v, plan, first, last)) return false;
    const float g = v.amplitude;  // the envelope's 1 times the amplitude
    if (!gainFits(g) || (plan.drawsNoise && !drawsAlone)) return false;
    if (plan.sample >= 0) {
        sampleRun(plan.sample, first - v.delay, count, g, lanes);
        panStereo(count, plan.pan, lanes);
        return true;
    }
    if (!(g > 0) || !plan.render) {
        std::fill(lanes, lanes + 2 * count, 0);
        return true;
    }
    const bool noteType = v.type == static_cast<int32_t>(VoiceType::NoteTone) ||
                          v.type == static_cast<int32_t>(VoiceType::DrivenNoteTone);
    if (noteType) {
        const StereoFrame* table = noteTableOf(v.noteIndex);
        const bool driveFits = v.type == static_cast<int32_t>(VoiceType::NoteTone) || gainFits(v.frequency);
        if (!driveFits) return false;
        if (!table) std::fill(lanes, lanes + 2 * count, 0);
        else noteRun(v, table, count, g, lanes);
        panStereo(count, plan.pan, lanes);
        return true;
    }
    int16_t mono[runFrameLimit];
    if (!renderMonoRun(v, count, g, mono)) return false;
    panMono(mono, count, plan.pan, lanes);
    return true;
}
