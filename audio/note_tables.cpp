#include <cmath>
#include <thread>

#include "audio/synth.h"

float noteFrequency[noteCount];
std::vector<std::unique_ptr<StereoFrame[]>> noteTables;

namespace {

// Main thread; the worker filling noteTables, from startNoteTableBuild() until
// finishNoteTableBuild() joins it.
std::thread noteTableBuilder;

constexpr float semitone = 1.0594631433486938f;  // 2^(1/12) in single precision
constexpr float concertA = 440.0f;
constexpr int concertANote = 12;

// Repeated squaring in single precision, the reciprocal for negative powers: the rounding of
// each step is part of the tuning.
float semitonePower(int exponent) {
    unsigned remaining = static_cast<unsigned>(exponent < 0 ? -exponent : exponent);
    float result = 1.0f;
    for (float base = semitone;; base *= base) {
        if (remaining & 1u) result *= base;
        remaining >>= 1;
        if (remaining == 0) break;
    }
    return exponent < 0 ? 1.0f / result : result;
}

int16_t noteTableValue(float frequency, uint32_t frame) {
    const float phase = static_cast<float>(static_cast<double>(frequency) * twoPi * frame / outputRate);
    const float sine = static_cast<float>(std::sin(static_cast<double>(phase)));
    return truncToLane(fullScale * sine);
}

}  // namespace

void buildNoteFrequencies() {
    for (int i = 0; i < noteCount; ++i) noteFrequency[i] = concertA * semitonePower(i - concertANote);
}

void buildNoteTables() {
    noteTables.resize(noteCount);
    for (int i = 0; i < noteCount; ++i) {
        noteTables[i].reset(new StereoFrame[noteTableFrames]());
        for (uint32_t j = 0; j < noteTableFrames; ++j) {
            const int16_t s = noteTableValue(noteFrequency[i], j);
            noteTables[i][j] = {s, s};
        }
    }
}

void startNoteTableBuild() {
    if (noteTableBuilder.joinable()) return;
    buildNoteFrequencies();
    noteTableBuilder = std::thread(buildNoteTables);
}

void finishNoteTableBuild() {
    if (noteTableBuilder.joinable()) noteTableBuilder.join();
}

void freeNoteTables() { noteTables.clear(); }
