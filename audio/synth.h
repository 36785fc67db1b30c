#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "audio/voice.h"
#include "audio/wave_math.h"

// What a voice plays. Values 0, 13 to 16 and anything else without a name are silent.
enum class VoiceType : int32_t {
    Sine = 1,
    NoteTone = 2,
    DrivenNoteTone = 3,
    ChirpSine = 4,
    DropSine = 5,
    GlideSine = 6,
    WobbleSine = 7,
    Noise = 8,
    Square = 9,
    DropSquare = 10,
    ChirpSquare = 11,
    Triangle = 12,
    MeowSample = 17,
    MouseSample = 18,
};

constexpr int32_t firstSampleType = static_cast<int32_t>(VoiceType::MeowSample);
constexpr int noteCount = 24;

// Written by buildNoteFrequencies() in initAudio(); read-only afterwards.
extern float noteFrequency[noteCount];
// Written by buildNoteTables() in initAudio() before the device opens; read-only while it runs;
// freed by shutdownAudio() after the device has stopped.
extern std::vector<std::unique_ptr<StereoFrame[]>> noteTables;

// Two octaves of equal-tempered semitones from A3 (220 Hz), in single precision.
void buildNoteFrequencies();
void buildNoteTables();
// Both tables on a worker thread (a no-op while one is already at work): they take a tenth of a
// second, which can pass while the window opens. The tables may be read once finish returns.
void startNoteTableBuild();
void finishNoteTableBuild();
void freeNoteTables();

// A wave's frame at position p with gain g; the same value in both lanes unless it plays a note table.
using WaveFunction = StereoFrame (*)(const Voice& v, uint32_t p, float g);

// The pan's two lane gains, single-precision values held in the double each product is formed in;
// 0 for a NaN pan, which silences both lanes just as NaN gains do.
struct PanGains {
    double left = 0;
    double right = 0;
};

// What a voice's fixed fields come to. Worked out once per callback rather than every frame: the
// fields do not change while the audio thread owns the voice.
struct VoicePlan {
    float delay = 0;  // the envelope's phases, in the single precision it compares in
    float attack = 0;
    float sustain = 0;
    float release = 0;
    PanGains pan;
    int sample = -1;                // the sample played, or -1
    WaveFunction render = nullptr;  // when no sample; null for the silent types
    bool drawsNoise = false;        // its frames draw from the audio thread's random source
};

VoicePlan planVoice(const Voice& v);
// The voice's next frame; advances its position by exactly one. Audio thread.
StereoFrame renderVoice(Voice& v);
// The same with the voice's plan, which must be that of its current fields.
StereoFrame renderVoice(Voice& v, const VoicePlan& plan);
float envelopeLevel(const Voice& v);
// The envelope at position p, as the voice's plan has its phases.
float envelopeAt(float p, const VoicePlan& plan);
// A trapezoid: a triangle at shape 0, a square at shape 1. Same value in both lanes.
StereoFrame shapedWave(unsigned t, float frequency, float gain, float shape);
StereoFrame applyPan(StereoFrame f, float pan);
PanGains panGains(float pan);
// A note's table, or null for a note without one.
const StereoFrame* noteTableOf(int8_t note);
// Where a glide starts: its note's frequency times its multiple; 0 for a note outside the two octaves.
float glideStartFrequency(const Voice& v);
// The sample a voice type plays, or -1 when it plays none.
int sampleIndexOf(int32_t type);
