#include <cmath>
#include <thread>

#include "audio/float_sine.h"
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

// A table is built in blocks of whole phases.
constexpr uint32_t phasesAtOnce = 4000;
static_assert(noteTableFrames % phasesAtOnce == 0, "tables are whole blocks");

// Frames [first, first + phasesAtOnce) of a note's table: the sine of a phase formed in double and
// kept in single precision, taken in double and kept in single precision.
void fillNoteFrames(float frequency, uint32_t first, StereoFrame* out) {
    double phase[phasesAtOnce];
    float sine[phasesAtOnce];
    for (uint32_t j = 0; j < phasesAtOnce; ++j) phase[j] = sinePhase(frequency, first + j);
    floatSines(phase, sine, static_cast<int>(phasesAtOnce));
    for (uint32_t j = 0; j < phasesAtOnce; ++j) {
        const int16_t s = truncToLane(fullScale * sine[j]);
        out[j] = {s, s};
    }
}

}  // namespace

void buildNoteFrequencies() {
    for (int i = 0; i < noteCount; ++i) noteFrequency[i] = concertA * semitonePower(i - concertANote);
}

void buildNoteTables() {
    noteTables.resize(noteCount);
    for (int i = 0; i < noteCount; ++i) {
        noteTables[i].reset(new StereoFrame[noteTableFrames]);
        for (uint32_t j = 0; j < noteTableFrames; j += phasesAtOnce) {
            fillNoteFrames(noteFrequency[i], j, noteTables[i].get() + j);
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
